#include "app/PredictionParts.h"

#include "access/TalkControls.h"
#include "app/frmTalk.h"
#include "compose/TextArea.h"
#include "diary/DiaryFile.h"
#include "platform/SettingsStore.h"
#include "platform/TextBox.h"
#include "predict/LearnedFile.h"
#include "predict/PredictSession.h"
#include "samples/SampleFile.h"
#include "strip/AddedSpeech.h"
#include "strip/PredictStrip.h"

#include <QPushButton>
#include <QTimer>

PredictionParts::PredictionParts(SettingsStore &settings, frmTalk &window,
                                 const TalkControls &controls, Voice &voice,
                                 std::function<SpeechOutput *()> speech)
    : m_settings(settings), m_compose(controls.compose)
{
    const ProgramFolders &folders = window.services().folders;
    m_session = std::make_unique<PredictSession>(
        window.state().gSampleList, QString::fromUtf16(SampleFile::kPlaceholder),
        folders.dataFile(QString::fromUtf16(LearnedFile::kName)), true,
        QStringList{folders.dataFile(QString::fromUtf16(SampleFile::kFileName)),
                    folders.dataFile(QString::fromUtf16(DiaryFile::kFileName))});
    m_speech = new AddedSpeech(voice, std::move(speech), &window);
    AddedSpeech *say = m_speech;
    TextBox &box = *controls.compose.txtTalk;
    m_strip = new PredictStrip(*controls.compose.fraText, box, *m_session,
                               [say](const QString &added) { say->speak(added); });
    m_strip->hide();
    // What the user has read aloud is theirs: it is learned while the strip is on.
    QObject::connect(controls.cmdRead, &QPushButton::clicked, m_strip, [this, &box] {
        if (!m_stripOn)
            return;
        QString text = box.text();
        if (text.endsWith(TextArea::kEndMarker))
            text.chop(1);
        m_session->learnText(text);
    });
    apply();
}

PredictionParts::~PredictionParts()
{
    delete m_strip;
    delete m_speech;
    TextArea::setRoomBelowText(0);
}

void PredictionParts::apply()
{
    const bool on =
        m_settings.read(QString::fromUtf16(kMode), QStringLiteral("0")).toInt() == kModeStrip;
    m_session->setLearning(
        m_settings.read(QString::fromUtf16(kLearn), QStringLiteral("1")).toInt() != 0);
    if (on == m_stripOn)
        return;
    m_stripOn = on;
    TextArea::changeRoomBelowText(m_compose, on ? PredictStrip::kHeightTwips : 0);
    m_strip->setVisible(on);
    m_strip->refresh();
    if (!on)
        return;
    // After the first paint: the window shows before the lists are read.
    PredictSession *session = m_session.get();
    QTimer::singleShot(0, session, [session] { session->start(); });
}
