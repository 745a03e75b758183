#include "app/frmTalk.h"

#include "access/AccessLayer.h"
#include "app/PredictionParts.h"
#include "app/frmOPT.h"
#include "boards/BoardEntry.h"
#include "boards/BoardTexts.h"
#include "boards/MakeBoard.h"
#include "compose/EditPad.h"
#include "core/AppTexts.h"
#include "core/ScreenAreas.h"
#include "core/Settings.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryScreen.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"
#include "predict/PredictSession.h"
#include "quick/Conversation.h"
#include "quick/QuickBand.h"
#include "samples/ListStepper.h"
#include "samples/Predictions.h"
#include "samples/SampleFile.h"
#include "samples/SampleScreen.h"
#include "strip/PredictStrip.h"
#include "voice/Reader.h"
#include "voice/SpeechOutput.h"
#include "voice/Voice.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

frmTalk::frmTalk(AppState &state, Services services, QWidget *parent)
    : QWidget(parent), m_state(state), m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmTalk"));
    createControls();
    guardReplacedControls();
    createParts();
    connectShell();
    DesignLayout::setScale(this, 1.0);
    resize(Units::twipsToPixels(kDesignWidth, 1.0), Units::twipsToPixels(kDesignHeight, 1.0));
    Form_Load();
}

frmTalk::~frmTalk() = default;

TalkControls frmTalk::controls() const
{
    return {{grdBoard, fraSet, grdBoard2, cmdEnd2, cmdspace, cmdKey, txtHide},
            {fraText, txtTalk, cmdWide, cmdCopy, cmdPaste, fraRes, cmdRes, cmdStart},
            {grdSp, grdEx, cmdSamp, cmdSampADD, cmdSampDel, fraTalk, cmdUp, cmdDown, cmdDec},
            {grdDay, fraDay, cmdRevise, cmdBack},
            cmdRead,
            cmdEnd,
            cmdOpt,
            cmdCall,
            fraQuick->buttons(),
            m_strip};
}

void frmTalk::createParts()
{
    const TalkControls c = controls();
    AppState &s = m_state;
    const Options &options = s.options;
    m_areas = std::make_unique<ScreenAreas>(ScreenAreas::Widgets{
        this, grdBoard, fraSet, grdSp, grdEx, grdDay, fraRes, fraTalk, fraDay});
    m_voice = std::make_unique<Voice>(options, s.gStopRead, m_services);
    m_sampleFile =
        std::make_unique<SampleFile>(*grdEx, s.gSampleList, s.gCellText, m_services, *this);
    m_diaryFile =
        std::make_unique<DiaryFile>(*grdDay, *m_areas, s.gListRow, s.gDiaryRow, m_services, *this);
    m_predictions =
        std::make_unique<Predictions>(c.samples, *txtTalk, *m_areas, options, s.gSampleList,
                                      s.gListRow, s.gCellText, m_services, *this);
    m_boardEntry = std::make_unique<BoardEntry>(
        c.boards, *txtTalk, *m_areas, *m_voice,
        [this](const QString &text) {
            if (m_prediction && m_prediction->stripOn())
                m_strip->entered();
            else
                m_predictions->OfferPredictions(text);
        },
        options, s.gCellText, m_services, *this);
    m_editPad = std::make_unique<EditPad>(c.compose, mKeyHeld, m_services, *this);
    m_reader = std::make_unique<Reader>(*cmdRead, c.compose, *m_areas, *m_voice, options,
                                        s.gStopRead, m_services, *this);
    // Ending the program ends a reading in progress at its next check.
    connect(this, &frmTalk::endRequested, this, [&s] { s.gStopRead = -1; });
    m_diaryScreen = std::make_unique<DiaryScreen>(
        c.diary, c.compose, *m_areas, *m_diaryFile, [this] { return m_sampleScreen->diaryOpen(); },
        options, s.gListRow, s.gDiaryRow, m_services, *this);
    m_sampleScreen = std::make_unique<SampleScreen>(
        c.samples, c.compose, *m_areas, *m_sampleFile, *m_diaryFile, *m_diaryScreen, *m_predictions,
        *m_boardEntry, options, s.gListRow, m_services, *this);
    m_stepper = std::make_unique<ListStepper>(c.samples, *m_areas, *txtTalk, mKeyHeld, s.gListRow,
                                              m_services, *this);
}

void frmTalk::installAccess(SettingsStore &accessSettings)
{
    m_access =
        std::make_unique<AccessLayer>(*this, controls(), m_services.clock, m_services.folders,
                                      accessSettings, [this](bool shown) { setCallShown(shown); });
}

void frmTalk::installPrediction(SettingsStore &predictSettings)
{
    m_prediction = std::make_unique<PredictionParts>(predictSettings, *this, controls(), *m_voice,
                                                     [this] { return m_speech.get(); });
    m_strip = m_prediction->strip();
}

void frmTalk::installSpeech(SettingsStore &voiceSettings, const EngineFiles &files)
{
    m_speech = std::make_unique<SpeechOutput>(voiceSettings, files);
    m_reader->setSpeech(m_speech.get());
    m_speech->makeAheadFor(*txtTalk, m_services.clock);
    if (m_conversation)
        m_conversation->setSpeech(m_speech.get());
}

void frmTalk::installConversation(SettingsStore &quickSettings, SettingsStore &partnerSettings)
{
    m_conversation = std::make_unique<Conversation>(
        *fraQuick, *m_voice, QDir::fromNativeSeparators(m_services.folders.dataDir()), *txtTalk,
        *this, quickSettings, partnerSettings);
    m_conversation->setSpeech(m_speech.get());
    m_reader->setSaidListener([this](const QString &said) { m_conversation->spoken(said); });
    // The band adds to the design's height: the window fits the screen anew.
    const auto refit = [this] {
        if (isVisible())
            fitToScreen();
        else
            resize(width(), Units::twipsToPixels(designHeight(), DesignLayout::scale(this)));
    };
    connect(m_conversation.get(), &Conversation::bandShownChanged, this, refit);
    if (fraQuick->isVisibleTo(this))
        refit();
}

int frmTalk::designHeight() const
{
    return kDesignHeight + (fraQuick->isVisibleTo(this) ? QuickBand::kHeight : 0);
}

void frmTalk::connectShell()
{
    connect(cmdEnd, &QPushButton::clicked, this, &frmTalk::cmdEnd_Click);
    connect(cmdEnd2, &QPushButton::clicked, this, &frmTalk::cmdEnd2_Click);
    connect(cmdOpt, &QPushButton::clicked, this, &frmTalk::cmdOpt_Click);
    connect(cmdKey, &QPushButton::clicked, this, &frmTalk::cmdKey_Click);
}

void frmTalk::Form_Load()
{
    Settings::load(m_state.options, m_services.settings);
    m_services.busy.setBusy(true);
    setWindowTitle(QString::fromUtf16(AppTexts::kCaption));
    txtTalk->setText(QString());
    applyCompositionFont();
    makeBoard();
    m_sampleFile->LoadSamples();
    m_sampleFile->GroupSamples();
    m_services.busy.setBusy(false);
}

void frmTalk::showImportedData()
{
    // The text being written stays; the options, the board and the sentences are the imported
    // ones, and the diary and the voices are read afresh when next used.
    Settings::load(m_state.options, m_services.settings);
    applyCompositionFont();
    cmdKey->setText(QString::fromUtf16(BoardTexts::kAlphanumeric));
    makeBoard();
    m_sampleFile->LoadSamples();
    m_sampleFile->GroupSamples();
    if (m_access)
        m_access->reload();
}

void frmTalk::applyCompositionFont()
{
    DesignLayout::setFontPoints(txtTalk, m_state.options.mojiOn() ? 100 : 55);
}

void frmTalk::Form_Activate()
{
    txtTalk->setFocus();
}

void frmTalk::cmdEnd_Click()
{
    emit endRequested();
}

void frmTalk::cmdEnd2_Click()
{
    if (m_state.options.beepOn())
        m_services.beeper.beep();
    txtTalk->setFocus();
    m_areas->hide(ScreenAreas::Area::Selection);
}

void frmTalk::cmdOpt_Click()
{
    frmOPT dialog(*this, m_state.options, m_services, *m_voice, m_access.get(), m_speech.get());
    // The options apply to the text's font, to a new hiragana board and to the conversation.
    connect(&dialog, &frmOPT::applied, this, [this] {
        applyCompositionFont();
        cmdKey->setText(QString::fromUtf16(BoardTexts::kAlphanumeric));
        makeBoard();
        if (m_prediction)
            m_prediction->apply();
        if (m_conversation)
            m_conversation->applyOptions();
    });
    if (m_prediction) {
        PredictSession *session = &m_prediction->session();
        dialog.addPrediction(m_prediction->settings(), [session] { session->forget(); });
    }
    if (m_conversation)
        dialog.setAnswers(m_conversation->answers());
    connect(&dialog, &frmOPT::quickRequested, this, [this, &dialog] {
        if (m_conversation)
            m_conversation->openOptions(
                &dialog,
                [&dialog](SettingsStore &store) -> SettingsStore & { return dialog.held(store); });
    });
    connect(&dialog, &frmOPT::dataImported, this, &frmTalk::showImportedData);
    dialog.exec();
    Form_Activate();
}

void frmTalk::cmdKey_Click()
{
    makeBoard();
}

void frmTalk::makeBoard()
{
    MakeBoard(*grdBoard, *cmdKey, m_state.options.gMaxC);
}

void frmTalk::fitToScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    resize(fittedSize(screen->availableGeometry().size()));
}

QSize frmTalk::fittedSize(QSize available) const
{
    // Leave room for the caption and borders the window manager adds.
    const int frameExtra = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    const double sx = available.width() / double(Units::twipsToPixels(kDesignWidth, 1.0));
    const double sy =
        (available.height() - frameExtra) / double(Units::twipsToPixels(designHeight(), 1.0));
    const double s = std::max(0.3, std::min(sx, sy));
    return {std::max(available.width(), Units::twipsToPixels(kDesignWidth, s)),
            Units::twipsToPixels(designHeight(), s)};
}

void frmTalk::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Text at the scale the height allows; a wider window widens the controls, not the text.
    const double sx = width() / double(Units::twipsToPixels(kDesignWidth, 1.0));
    const double sy = height() / double(Units::twipsToPixels(designHeight(), 1.0));
    const double s = std::max(0.1, std::min(sx, sy));
    DesignLayout::setScale(this, s, sx / s);
}

void frmTalk::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit endRequested();
}

bool frmTalk::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}
