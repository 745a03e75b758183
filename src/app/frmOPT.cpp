#include "app/frmOPT.h"
#include "record/OpenRecorder.h"

#include "access/AccessLayer.h"
#include "access/AccessTexts.h"
#include "access/frmAccess.h"
#include "app/OptionControls.h"
#include "app/OptionTexts.h"
#include "app/PredictOptions.h"
#include "core/AppState.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "dialogs/AskUser.h"
#include "dialogs/frmOK.h"
#include "platform/DesignLayout.h"
#include "platform/SettingsStore.h"
#include "platform/UiText.h"
#include "platform/Units.h"
#include "quick/QuickTexts.h"
#include "transfer/DataDialogs.h"
#include "transfer/TransferTexts.h"
#include "voice/SpeechOutput.h"
#include "voice/Voice.h"
#include "voice/VoicePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;
using DesignLayout::Face;

namespace {
QGroupBox *group(QWidget *parent, const QString &name, const char16_t *caption, QRect place)
{
    auto *g = optionControl<QGroupBox>(parent, name, place);
    g->setTitle(text(caption));
    return g;
}

QRadioButton *radio(QWidget *parent, const QString &name, const char16_t *caption, QRect place)
{
    auto *r = optionControl<QRadioButton>(parent, name, place);
    r->setText(text(caption));
    r->setAutoExclusive(true);
    return r;
}

QCheckBox *check(QWidget *parent, const QString &name, const char16_t *caption, QRect place)
{
    auto *c = optionControl<QCheckBox>(parent, name, place);
    c->setText(text(caption));
    return c;
}

// A stored number shown on a check box: anything but 0 checks it.
bool storedOn(const QString &value)
{
    return optionNumber(value) != 0;
}
} // namespace

frmOPT::frmOPT(QWidget &window, Options &options, Services &services, Voice &voice,
               AccessLayer *access, SpeechOutput *speech)
    : QDialog(&window), m_options(options), m_services(services), m_voiceOutput(voice),
      m_accessLayer(access), m_speech(speech)
{
    setObjectName(u"frmOPT"_s);
    setWindowTitle(text(OptionTexts::kCaption));
    setModal(true);
    createControls();
    const double scale = DesignLayout::scale(&window);
    DesignLayout::setScale(this, scale);
    setFixedSize(Units::twipsToPixels(kRightColumn + PredictOptions::kWidth + 375, scale),
                 Units::twipsToPixels(kDesignHeight, scale));
    Form_Load();
}

frmOPT::~frmOPT() = default;

void frmOPT::createControls()
{
    frmOPT1 = group(this, u"frmOPT1"_s, OptionTexts::kBoardFrame, QRect(480, 120, 6135, 2055));
    // Screen order differs from index order in this group.
    const int option1Tops[] = {1170, 1605, 315, 750};
    for (int i = 0; i < 4; ++i)
        Option1[i] = radio(frmOPT1, u"Option1_%1"_s.arg(i), OptionTexts::kOption1[i],
                           QRect(360, option1Tops[i], 5655, 315));

    frmOPT2 = group(this, u"frmOPT2"_s, OptionTexts::kSelectionFrame, QRect(480, 2280, 6135, 1215));
    const int option2Tops[] = {360, 765};
    for (int i = 0; i < 2; ++i)
        Option2[i] = radio(frmOPT2, u"Option2_%1"_s.arg(i), OptionTexts::kOption2[i],
                           QRect(360, option2Tops[i], 5535, 315));

    frmVoice = group(this, u"frmVoice"_s, OptionTexts::kVoiceFrame, QRect(480, 3600, 6135, 2295));
    for (int i = 0; i < 4; ++i)
        Option3[i] = radio(frmVoice, u"Option3_%1"_s.arg(i), OptionTexts::kOption3[i],
                           QRect(360, 360 + 480 * i, 5535, 360));

    frmSample =
        group(this, u"frmSample"_s, OptionTexts::kSampleFrame, QRect(480, 6000, 6135, 1575));
    chkSamp = check(frmSample, u"chkSamp"_s, OptionTexts::kSampAuto, QRect(360, 360, 4845, 360));
    cmbSample = optionControl<QComboBox>(frmSample, u"cmbSample"_s, QRect(360, 900, 615, 435));
    for (const char16_t *item : OptionTexts::kSampleItems)
        cmbSample->addItem(text(item));
    lblSample = optionControl<QLabel>(frmSample, u"lblSample"_s, QRect(1140, 960, 3315, 375));
    lblSample->setText(text(OptionTexts::kSampleLabel));

    chkMaxC = check(this, u"chkMaxC"_s, OptionTexts::kMaxC, QRect(780, 7680, 5475, 375));
    chkBeep = check(this, u"chkBeep"_s, OptionTexts::kBeep, QRect(780, 8205, 5505, 315));
    chkMoji = check(this, u"chkMoji"_s, OptionTexts::kMoji, QRect(780, 8655, 5505, 315));

    const char16_t *captions[] = {OptionTexts::kCancel, OptionTexts::kConfirm};
    const int lefts[] = {780, 3660};
    for (int i = 0; i < 2; ++i) {
        cmdOK[i] = new QPushButton(text(captions[i]), this);
        cmdOK[i]->setObjectName(u"cmdOK_%1"_s.arg(i));
        cmdOK[i]->setAccessibleName(cmdOK[i]->text());
        cmdOK[i]->setAutoDefault(false);
        DesignLayout::setFont(cmdOK[i], Face::PGothic, 18, false);
        DesignLayout::place(cmdOK[i], QRect(lefts[i], 9240, 2475, 615));
        connect(cmdOK[i], &QPushButton::clicked, this, [this, i] { cmdOK_Click(i); });
    }

    cmdAccess = new QPushButton(text(AccessTexts::kOpenButton), this);
    cmdAccess->setObjectName(u"cmdAccess"_s);
    cmdAccess->setAccessibleName(cmdAccess->text());
    cmdAccess->setAutoDefault(false);
    cmdAccess->setEnabled(m_accessLayer != nullptr);
    DesignLayout::setFont(cmdAccess, Face::PGothic, 18, false);
    connect(cmdAccess, &QPushButton::clicked, this, &frmOPT::cmdAccess_Click);
    lblAccess = optionControl<QLabel>(this, u"lblAccess"_s, QRect());
    DesignLayout::setFont(lblAccess, Face::PGothic, 12, true);
    lblAccess->setText(text(AccessTexts::kPendingNote));
    lblAccess->hide();

    cmdQuick = new QPushButton(text(QuickTexts::kOpenButton), this);
    cmdQuick->setObjectName(u"cmdQuick"_s);
    cmdQuick->setAccessibleName(cmdQuick->text());
    cmdQuick->setAutoDefault(false);
    DesignLayout::setFont(cmdQuick, Face::PGothic, 18, false);
    connect(cmdQuick, &QPushButton::clicked, this, &frmOPT::quickRequested);
    createDataButtons();
    placeRightColumn();
}

void frmOPT::createDataButtons()
{
    const auto button = [this](const QString &name, const char16_t *caption) {
        auto *b = new QPushButton(text(caption), this);
        b->setObjectName(name);
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        DesignLayout::setFont(b, Face::PGothic, 12, false);
        return b;
    };
    cmdExport = button(u"cmdExport"_s, TransferTexts::kExportButton);
    cmdImport = button(u"cmdImport"_s, TransferTexts::kImportButton);
    connect(cmdExport, &QPushButton::clicked, this,
            [this] { DataDialogs::exportData(m_services, this); });
    connect(cmdImport, &QPushButton::clicked, this, [this] {
        if (!DataDialogs::importData(m_services, this))
            return;
        reject();
        emit dataImported();
    });
}

void frmOPT::addPrediction(SettingsStore &settings, std::function<void()> forget)
{
    frmPredict =
        new PredictOptions(*this, settings, m_services.asker, m_services.busy, std::move(forget));
    placeRightColumn();
}

void frmOPT::placeRightColumn()
{
    // The options of the first design keep the left column at its height; what came later
    // stands in a column to the right, the predictions' block at its top when there is one, so
    // the whole dialog fits a 1024x768 screen.
    int top = 120;
    if (frmPredict) {
        DesignLayout::place(
            frmPredict, QRect(kRightColumn, top, PredictOptions::kWidth, PredictOptions::kHeight));
        top += PredictOptions::kHeight + 240;
    }
    const int left = kRightColumn + 240;
    DesignLayout::place(cmdAccess, QRect(left, top, 5355, 525));
    DesignLayout::place(lblAccess, QRect(left, top + 540, 6000, 300));
    DesignLayout::place(cmdQuick, QRect(left, top + 900, 5355, 525));
    DesignLayout::place(cmdExport, QRect(left, top + 1500, 2475, 525));
    DesignLayout::place(cmdImport, QRect(left + 2880, top + 1500, 2475, 525));
}

void frmOPT::cmdAccess_Click()
{
    AccessLayer *access = m_accessLayer;
    if (!access)
        return;
    if (!m_access)
        m_access = std::make_unique<PendingSettingsStore>(access->store());
    frmAccess dialog(this, *m_access);
    if (SpeechOutput *speech = m_speech) {
        if (!m_voice)
            m_voice = std::make_unique<PendingSettingsStore>(speech->store());
        auto *page =
            new VoicePage(*speech, *m_voice, [this](const QString &c) { m_voiceOutput.play(c); });
        dialog.addVoicePage(page);
        connect(&dialog, &QDialog::accepted, page, &VoicePage::save);
    }
    connect(&dialog, &frmAccess::recordRequested, &dialog,
            [this, &dialog] { openRecorder(m_services.folders, &dialog, m_answers); });
    dialog.exec();
    lblAccess->setVisible(m_access->hasPending() || (m_voice && m_voice->hasPending()));
}

SettingsStore &frmOPT::held(SettingsStore &store)
{
    std::unique_ptr<PendingSettingsStore> &pending = m_held[&store];
    if (!pending)
        pending = std::make_unique<PendingSettingsStore>(store);
    return *pending;
}

void frmOPT::Form_Load()
{
    Options &state = m_options;
    Settings::load(state, m_services.settings);
    // A stored value outside a group's indices shows the group with nothing on; confirming
    // then leaves that key as it is in the store.
    const auto turnOn = [](auto &buttons, int index) {
        if (index >= 0 && index < int(buttons.size()))
            buttons[index]->setChecked(true);
    };
    turnOn(Option1, state.opt1());
    turnOn(Option2, state.opt2());
    turnOn(Option3, state.opt3());
    chkBeep->setChecked(storedOn(state.gOptions[4]));
    chkMoji->setChecked(storedOn(state.gOptions[5]));
    chkSamp->setChecked(storedOn(state.gOptions[6]));
    chkMaxC->setChecked(state.gMaxC != 9);
    cmbSample->setCurrentIndex(state.gSample - 1);
}

void frmOPT::cmdOK_Click(int index)
{
    if (index != 1) {
        reject();
        return;
    }
    SettingsStore &store = m_services.settings;
    const auto firstOn = [](const auto &buttons) {
        for (int i = 0; i < int(buttons.size()); ++i)
            if (buttons[i]->isChecked())
                return i;
        return -1;
    };
    if (const int v = firstOn(Option1); v >= 0)
        Settings::save(store, u"OPT1"_s, v);
    if (const int v = firstOn(Option2); v >= 0)
        Settings::save(store, u"OPT2"_s, v);
    if (const int v = firstOn(Option3); v >= 0)
        Settings::save(store, u"OPT3"_s, v);
    Settings::save(store, u"Samp"_s, chkSamp->isChecked() ? 1 : 0);
    Settings::save(store, u"Sample"_s, cmbSample->currentIndex() + 1);
    Settings::save(store, u"Beep"_s, chkBeep->isChecked() ? 1 : 0);
    Settings::save(store, u"Moji"_s, chkMoji->isChecked() ? 1 : 0);
    Settings::save(store, u"gMaxC"_s, chkMaxC->isChecked() ? 14 : 9);
    bool stored = store.sync();
    if (frmPredict)
        stored = frmPredict->store() && stored;
    if (AccessLayer *access = m_accessLayer; access && m_access && m_access->hasPending()) {
        stored = m_access->commit() && stored;
        access->reload();
    }
    // Sentence speech reads its settings at each reading: storing them is all it needs.
    if (m_voice && m_voice->hasPending())
        stored = m_voice->commit() && stored;
    for (const auto &[inner, pending] : m_held)
        if (pending->hasPending())
            stored = pending->commit() && stored;
    Settings::load(m_options, store);
    accept();
    emit applied();
    // The settings apply until the program ends; the user learns they will not come back.
    if (!stored)
        AskUser(m_services.asker, m_services.busy, parentWidget(), text(OptionTexts::kNotStored),
                frmOK::kNotice, text(OptionTexts::kCaption));
}
