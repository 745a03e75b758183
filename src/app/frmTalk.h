#pragma once

#include "access/TalkControls.h"
#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/Services.h"

#include <QRect>
#include <QWidget>
#include <array>
#include <memory>

class AccessLayer;
class BoardEntry;
class CallButton;
class Conversation;
class DiaryFile;
class DiaryScreen;
class EditPad;
class FlexGrid;
class ListStepper;
class Predictions;
class PredictStrip;
class PredictionParts;
class QFrame;
class QLabel;
class QPushButton;
class QuickBand;
class Reader;
class SampleFile;
class SampleScreen;
class ScreenAreas;
class SpeechOutput;
class TextBox;
class Voice;
struct EngineFiles;

// The main window and composition root: it creates every board, list, frame and button with
// its design name, hands each part its own controls, the collaborators it calls and the state
// it shares, builds the parts in the order they depend on each other and wires them.
class frmTalk : public QWidget
{
    Q_OBJECT

  public:
    // Design client area, and the outer height (client plus caption and borders) that the
    // text-area sizes are computed from; all in twips.
    static constexpr int kDesignWidth = 15270;
    static constexpr int kDesignHeight = 11115;
    static constexpr int kDesignOuterHeight = TextArea::kWindowOuterHeight;
    // The call button, once a carer turns the call on, takes the right end of the text box:
    // on every screen, across the window from "終了", with a gap above the board.
    static constexpr QRect kCallButtonPlace{13320, 0, 1005, 1800};

    frmTalk(AppState &state, Services services, QWidget *parent = nullptr);
    ~frmTalk() override;

    AppState &state() { return m_state; }
    Services &services() { return m_services; }

    Voice &voice() { return *m_voice; }
    SampleFile &sampleFile() { return *m_sampleFile; }
    DiaryFile &diaryFile() { return *m_diaryFile; }
    // The controls by the part that owns them.
    TalkControls controls() const;
    // Switch scanning and dwell selection, read from `accessSettings` (section "ACCESS").
    void installAccess(SettingsStore &accessSettings);
    // The access layer, or nullptr when none was installed.
    AccessLayer *access() { return m_access.get(); }
    // The predictions as `predictSettings` (section "PREDICT") choose them: the strip under the
    // text, or the list over the board; the options dialog changes the choice at once.
    void installPrediction(SettingsStore &predictSettings);
    // The prediction strip once installed (hidden while the list over the board is chosen).
    PredictStrip *strip() { return m_strip; }
    PredictionParts *prediction() { return m_prediction.get(); }
    // Sentence speech for "読む", set in `voiceSettings` (section "VOICE") and spoken by the
    // engine in `files`.
    void installSpeech(SettingsStore &voiceSettings, const EngineFiles &files);
    // Sentence speech, or nullptr when none was installed ("読む" reads character by character).
    SpeechOutput *speech() { return m_speech.get(); }
    // The quick answers (section "QUICK") and the partner's view (section "PARTNER").
    void installConversation(SettingsStore &quickSettings, SettingsStore &partnerSettings);
    // The conversation, or nullptr when none was installed.
    Conversation *conversation() { return m_conversation.get(); }

    // Shell handlers.
    void Form_Load();
    void Form_Activate();
    void cmdEnd_Click();
    void cmdEnd2_Click();
    void cmdOpt_Click();
    void cmdKey_Click();
    // Applies the composition font from the Moji setting (100 or 55 points).
    void applyCompositionFont();
    // After an import: the imported settings, board and sentences on show.
    void showImportedData();
    // The window's height in design twips, for the sizes computed from it.
    int heightTwips() const { return kDesignOuterHeight; }
    // The design's client height: the quick answers, when shown, add their band at the foot.
    int designHeight() const;
    // Fills the screen's available area, the design at the largest scale that fits.
    void fitToScreen();
    // The window's size in an available area of `available`: its whole width, and the height
    // of the design at the largest scale that fits.
    QSize fittedSize(QSize available) const;
    // Shows the call button, the text box giving it room, or hides it.
    void setCallShown(bool shown);

    // Controls, named as the design names them.
    FlexGrid *grdSp = nullptr;
    QFrame *fraSet = nullptr;
    FlexGrid *grdBoard2 = nullptr;
    QPushButton *cmdEnd2 = nullptr;
    QPushButton *cmdspace = nullptr;
    FlexGrid *grdEx = nullptr;
    QFrame *fraText = nullptr;
    TextBox *txtTalk = nullptr;
    QPushButton *cmdWide = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdPaste = nullptr;
    QFrame *fraRes = nullptr;
    std::array<QPushButton *, 5> cmdRes{};
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdSamp = nullptr;
    QPushButton *cmdSampADD = nullptr;
    FlexGrid *grdDay = nullptr;
    QPushButton *cmdKey = nullptr;
    QPushButton *cmdRead = nullptr;
    QPushButton *cmdEnd = nullptr;
    QPushButton *cmdOpt = nullptr;
    FlexGrid *grdBoard = nullptr;
    QFrame *fraDay = nullptr;
    QPushButton *cmdRevise = nullptr;
    QPushButton *cmdBack = nullptr;
    QFrame *fraTalk = nullptr;
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    QPushButton *cmdDec = nullptr;
    QPushButton *cmdSampDel = nullptr;
    QLabel *txtHide = nullptr;
    CallButton *cmdCall = nullptr; // shown while the call is turned on
    QuickBand *fraQuick = nullptr; // shown while the quick answers are turned on

    // A caret-pad or list button is held (they repeat until it is released).
    bool mKeyHeld = false;

  signals:
    // Emitted when "終了" or the close box asks the program to end.
    void endRequested();

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

  private:
    void createControls();
    // Controls that replace others under the pointer ignore a press just after appearing.
    void guardReplacedControls();
    void createParts();
    void connectShell();
    // The board for the set after the one cmdKey names.
    void makeBoard();

    AppState &m_state;
    Services m_services;
    std::unique_ptr<ScreenAreas> m_areas;
    std::unique_ptr<Voice> m_voice;
    std::unique_ptr<SampleFile> m_sampleFile;
    std::unique_ptr<DiaryFile> m_diaryFile;
    std::unique_ptr<Predictions> m_predictions;
    std::unique_ptr<BoardEntry> m_boardEntry;
    std::unique_ptr<EditPad> m_editPad;
    std::unique_ptr<Reader> m_reader;
    std::unique_ptr<DiaryScreen> m_diaryScreen;
    std::unique_ptr<SampleScreen> m_sampleScreen;
    std::unique_ptr<ListStepper> m_stepper;
    std::unique_ptr<AccessLayer> m_access;
    std::unique_ptr<SpeechOutput> m_speech;
    std::unique_ptr<Conversation> m_conversation;
    std::unique_ptr<PredictionParts> m_prediction;
    PredictStrip *m_strip = nullptr;
};
