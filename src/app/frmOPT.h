#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class AccessLayer;
class PendingSettingsStore;
class PredictOptions;
class SettingsStore;
class SpeechOutput;
class Voice;
struct Options;
struct Services;

// The options dialog: shows the stored settings, "確定" stores them all (with what was
// confirmed in "入力と声の設定"), reloads the options and says so by `applied` (the window then
// rebuilds the hiragana board), "キャンセル" closes it without writing anything. Touches the
// settings store, the options it loads, the access layer and sentence speech when installed
// (nullptr otherwise), and plays samples through the voice.
class frmOPT : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int kDesignWidth = 6990;
    static constexpr int kDesignHeight = 10005;
    // Where the column of the later options begins.
    static constexpr int kRightColumn = kDesignWidth - 240;

    frmOPT(QWidget &window, Options &options, Services &services, Voice &voice, AccessLayer *access,
           SpeechOutput *speech);
    ~frmOPT() override;

    void Form_Load();
    void cmdOK_Click(int index);
    // "入力と声…": the access settings dialog; what it confirms waits for this dialog's "確定".
    void cmdAccess_Click();
    // The predictions' block beside the others: `settings` is section "PREDICT"; `forget`
    // forgets every learned word (at "確定", once the user has said yes).
    void addPrediction(SettingsStore &settings, std::function<void()> forget);
    // The quick answers, for their page of the recording screen.
    void setAnswers(const QStringList &answers) { m_answers = answers; }
    // Where a dialog opened from this one writes `store`'s settings: held until "確定" stores
    // them with the rest (`applied` then applies them), dropped by "キャンセル". The same for
    // every call with the same store, so a second opening shows what the first confirmed.
    SettingsStore &held(SettingsStore &store);

    QGroupBox *frmOPT1 = nullptr;
    QGroupBox *frmOPT2 = nullptr;
    QGroupBox *frmVoice = nullptr;
    QGroupBox *frmSample = nullptr;
    std::array<QRadioButton *, 4> Option1{};
    std::array<QRadioButton *, 2> Option2{};
    std::array<QRadioButton *, 4> Option3{};
    QCheckBox *chkSamp = nullptr;
    QComboBox *cmbSample = nullptr;
    QLabel *lblSample = nullptr;
    QCheckBox *chkMaxC = nullptr;
    QCheckBox *chkBeep = nullptr;
    QCheckBox *chkMoji = nullptr;
    std::array<QPushButton *, 2> cmdOK{};
    QPushButton *cmdAccess = nullptr;
    QLabel *lblAccess = nullptr; // shown once access settings wait for "確定"
    QPushButton *cmdQuick = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdImport = nullptr;
    PredictOptions *frmPredict = nullptr; // once added

  signals:
    // The confirmed options are loaded and the dialog has closed.
    void applied();
    // "よく使う答え…": the window opens the quick answers' dialog over this one.
    void quickRequested();
    // The user's data was replaced by an import; the dialog closed without storing anything.
    void dataImported();

  private:
    void createControls();
    void createDataButtons();
    void placeRightColumn();

    Options &m_options;
    Services &m_services;
    Voice &m_voiceOutput;
    AccessLayer *m_accessLayer;
    SpeechOutput *m_speech;
    QStringList m_answers;
    std::unique_ptr<PendingSettingsStore> m_access; // the access settings until "確定"
    std::unique_ptr<PendingSettingsStore> m_voice;  // the reading settings until "確定"
    std::map<SettingsStore *, std::unique_ptr<PendingSettingsStore>> m_held;
};
