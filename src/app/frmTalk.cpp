#include "app/frmTalk.h"

#include "access/AccessLayer.h"
#include "app/AppTexts.h"
#include "app/Settings.h"
#include "app/frmOPT.h"
#include "boards/BoardEntry.h"
#include "boards/BoardTexts.h"
#include "boards/MakeBoard.h"
#include "compose/EditPad.h"
#include "diary/DiaryScreen.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"
#include "samples/ListStepper.h"
#include "samples/Predictions.h"
#include "samples/SampleFile.h"
#include "samples/SampleScreen.h"
#include "voice/Reader.h"
#include "voice/SpeechOutput.h"
#include "voice/Voice.h"

#include <QCloseEvent>
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
    m_boardEntry = std::make_unique<BoardEntry>(*this);
    m_voice = std::make_unique<Voice>(*this);
    m_editPad = std::make_unique<EditPad>(*this);
    m_reader = std::make_unique<Reader>(*this);
    m_sampleScreen = std::make_unique<SampleScreen>(*this);
    m_predictions = std::make_unique<Predictions>(*this);
    m_stepper = std::make_unique<ListStepper>(*this);
    m_diaryScreen = std::make_unique<DiaryScreen>(*this);
    connectShell();
    DesignLayout::setScale(this, 1.0);
    resize(Units::twipsToPixels(kDesignWidth, 1.0), Units::twipsToPixels(kDesignHeight, 1.0));
    Form_Load();
}

frmTalk::~frmTalk() = default;

void frmTalk::installAccess(SettingsStore &accessSettings)
{
    m_access = std::make_unique<AccessLayer>(*this, accessSettings);
}

void frmTalk::installSpeech(SettingsStore &voiceSettings, const EngineFiles &files)
{
    m_speech = std::make_unique<SpeechOutput>(voiceSettings, files);
    m_speech->makeAheadFor(*txtTalk, m_services.clock);
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
    m_state.gAppPath = m_services.folders.dataDir();
    Settings::load(m_state, m_services.settings);
    m_services.busy.setBusy(true);
    setWindowTitle(QString::fromUtf16(AppTexts::kCaption));
    txtTalk->setText(QString());
    mBoardRow = 0;
    mBoardCol = 0;
    applyCompositionFont();
    MakeBoard(*this);
    SampleFile::LoadSamples(*this);
    SampleFile::GroupSamples(*this);
    m_services.busy.setBusy(false);
}

void frmTalk::applyCompositionFont()
{
    DesignLayout::setFontPoints(txtTalk, m_state.mojiOn() ? 100 : 55);
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
    if (m_state.beepOn())
        m_services.beeper.beep();
    txtTalk->setFocus();
    fraSet->hide();
}

void frmTalk::cmdOpt_Click()
{
    frmOPT dialog(*this);
    dialog.exec();
    Form_Activate();
}

void frmTalk::cmdKey_Click()
{
    MakeBoard(*this);
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
        (available.height() - frameExtra) / double(Units::twipsToPixels(kDesignHeight, 1.0));
    const double s = std::max(0.3, std::min(sx, sy));
    return {std::max(available.width(), Units::twipsToPixels(kDesignWidth, s)),
            Units::twipsToPixels(kDesignHeight, s)};
}

void frmTalk::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Text at the scale the height allows; a wider window widens the controls, not the text.
    const double sx = width() / double(Units::twipsToPixels(kDesignWidth, 1.0));
    const double sy = height() / double(Units::twipsToPixels(kDesignHeight, 1.0));
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
