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

std::unique_ptr<PredictionParts> PredictionParts::install(SettingsStore &settings, frmTalk &window,
                                                          const TalkControls &controls,
                                                          Voice &voice,
                                                          std::function<SpeechOutput *()> speech)
{
    if (settings.read(QString::fromUtf16(kMode), QStringLiteral("0")).toInt() != kModeStrip)
        return nullptr;
    const bool learning =
        settings.read(QString::fromUtf16(kLearn), QStringLiteral("1")).toInt() != 0;
    const ProgramFolders &folders = window.services().folders;
    auto parts = std::make_unique<PredictionParts>();
    parts->session = std::make_unique<PredictSession>(
        window.state().gSampleList, QString::fromUtf16(SampleFile::kPlaceholder),
        folders.dataFile(QString::fromUtf16(LearnedFile::kName)), learning,
        QStringList{folders.dataFile(QString::fromUtf16(SampleFile::kFileName)),
                    folders.dataFile(QString::fromUtf16(DiaryFile::kFileName))});
    parts->speech = new AddedSpeech(voice, std::move(speech), &window);
    AddedSpeech *say = parts->speech;
    TextArea::setRoomBelowText(PredictStrip::kHeightTwips);
    TextArea::setNarrow(controls.compose);
    TextBox &box = *controls.compose.txtTalk;
    parts->strip = new PredictStrip(*controls.compose.fraText, box, *parts->session,
                                    [say](const QString &added) { say->speak(added); });
    parts->strip->show();
    PredictSession *session = parts->session.get();
    // What the user has read aloud is theirs: it is learned.
    QObject::connect(controls.cmdRead, &QPushButton::clicked, parts->strip, [session, &box] {
        QString text = box.text();
        if (text.endsWith(TextArea::kEndMarker))
            text.chop(1);
        session->learnText(text);
    });
    // After the first paint: the window shows before the lists are read.
    QTimer::singleShot(0, session, [session] { session->start(); });
    return parts;
}

PredictionParts::~PredictionParts()
{
    delete strip;
    delete speech;
    TextArea::setRoomBelowText(0);
}
