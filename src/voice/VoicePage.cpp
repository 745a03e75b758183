#include "voice/VoicePage.h"

#include "platform/PcmPlayer.h"
#include "platform/UiText.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/SpeechScript.h"
#include "voice/SpeechTexts.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kCharacterStepMs = 800; // as "読む" reads them

const SpeechSettings::Key &keyFor(int SpeechSettings::*field)
{
    for (const SpeechSettings::Key &key : SpeechSettings::kKeys)
        if (key.field == field)
            return key;
    Q_UNREACHABLE();
}

QSpinBox *valueBox(QWidget *parent, const QString &name, int SpeechSettings::*field,
                   const SpeechSettings &stored)
{
    const SpeechSettings::Key &key = keyFor(field);
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(key.lowest, key.highest);
    box->setValue(stored.*field);
    return box;
}
} // namespace

VoicePage::VoicePage(SpeechOutput &speech, SettingsStore &store,
                     std::function<void(const QString &)> playCharacter, QWidget *parent)
    : QWidget(parent), m_speech(speech), m_store(store), m_playCharacter(std::move(playCharacter))
{
    setObjectName(u"VoicePage"_s);
    m_characterStep.setInterval(kCharacterStepMs);
    connect(&m_characterStep, &QTimer::timeout, this, &VoicePage::playNextCharacter);
    connect(&speech.engine(), &SpeechEngine::made, this,
            [this](quint64 id, const SpokenPart &part) {
                if (id == m_request && part.outcome == SpokenPart::Outcome::Made)
                    m_speech.player().play(part.clip);
            });
    createControls(SpeechSettings::read(store));
}

VoicePage::~VoicePage() = default;

void VoicePage::createControls(const SpeechSettings &stored)
{
    auto *form = new QFormLayout(this);
    const auto withTry = [this](QWidget *control, int index) {
        cmdTry[index] = new QPushButton(text(SpeechTexts::kTry), this);
        cmdTry[index]->setObjectName(u"cmdTry_%1"_s.arg(index));
        cmdTry[index]->setAccessibleName(cmdTry[index]->text());
        cmdTry[index]->setAutoDefault(false);
        connect(cmdTry[index], &QPushButton::clicked, this, [this, index] { tryOut(index); });
        auto *row = new QHBoxLayout;
        row->addWidget(control, 1);
        row->addWidget(cmdTry[index]);
        return row;
    };

    auto *modes = new QWidget(this);
    auto *modeColumn = new QVBoxLayout(modes);
    modeColumn->setContentsMargins({});
    optCharacters = new QRadioButton(text(SpeechTexts::kModes[0]), modes);
    optCharacters->setObjectName(u"optCharacters"_s);
    optSentences = new QRadioButton(text(SpeechTexts::kModes[1]), modes);
    optSentences->setObjectName(u"optSentences"_s);
    auto *group = new QButtonGroup(modes);
    group->addButton(optCharacters);
    group->addButton(optSentences);
    modeColumn->addWidget(optCharacters);
    modeColumn->addWidget(optSentences);
    form->addRow(text(SpeechTexts::kModeLabel), withTry(modes, 0));

    const QString missing = m_speech.engine().missingPackage();
    lblMissing = new QLabel(text(SpeechTexts::kMissing).arg(missing), this);
    lblMissing->setObjectName(u"lblMissing"_s);
    lblMissing->setWordWrap(true);
    lblMissing->setVisible(!missing.isEmpty());
    form->addRow(lblMissing);
    optSentences->setEnabled(missing.isEmpty());
    (stored.mode == 1 && missing.isEmpty() ? optSentences : optCharacters)->setChecked(true);

    spnSpeed = valueBox(this, u"spnSpeed"_s, &SpeechSettings::speed, stored);
    form->addRow(text(SpeechTexts::kSpeedLabel), withTry(spnSpeed, 1));
    spnPitch = valueBox(this, u"spnPitch"_s, &SpeechSettings::pitch, stored);
    form->addRow(text(SpeechTexts::kPitchLabel), withTry(spnPitch, 2));
    spnVolume = valueBox(this, u"spnVolume"_s, &SpeechSettings::volume, stored);
    form->addRow(text(SpeechTexts::kVolumeLabel), withTry(spnVolume, 3));
    // The engine's own settings mean nothing without it.
    for (int i = 1; i < int(cmdTry.size()); ++i)
        cmdTry[i]->setEnabled(missing.isEmpty());
}

SpeechSettings VoicePage::shown() const
{
    SpeechSettings settings;
    settings.mode = optSentences->isChecked() ? 1 : 0;
    settings.speed = spnSpeed->value();
    settings.pitch = spnPitch->value();
    settings.volume = spnVolume->value();
    return settings;
}

void VoicePage::save()
{
    shown().write(m_store);
}

void VoicePage::tryOut(int row)
{
    // A sample asked for earlier is not played when it comes; a reading in progress (the
    // dialog can be opened while reading) keeps its own requests.
    m_request = 0;
    m_characterStep.stop();
    m_charactersLeft.clear();
    m_speech.player().stop();
    const SpeechSettings settings = shown();
    const QString sample = text(SpeechTexts::kSample);
    if (settings.mode == 0 && row == 0) {
        for (const QChar c : sample)
            m_charactersLeft.append(QString(c));
        playNextCharacter();
        m_characterStep.start();
        return;
    }
    if (!m_speech.engine().missingPackage().isEmpty())
        return;
    QString spoken;
    for (const SpeechScript::Part &part : SpeechScript::parts(sample, m_speech.readings()))
        spoken += part.spoken;
    m_request = m_speech.engine().make(spoken, settings);
}

void VoicePage::playNextCharacter()
{
    if (m_charactersLeft.isEmpty()) {
        m_characterStep.stop();
        return;
    }
    m_playCharacter(m_charactersLeft.takeFirst());
}
