#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class frmTalk;

// The options dialog: shows the stored settings, "確定" stores them all and rebuilds the
// hiragana board, "キャンセル" closes it without writing.
class frmOPT : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int kDesignWidth = 6990;
    static constexpr int kDesignHeight = 10800;

    explicit frmOPT(frmTalk &talk);
    ~frmOPT() override;

    void Form_Load();
    void cmdOK_Click(int index);
    // "入力と声…": the access settings dialog; confirming it applies them at once.
    void cmdAccess_Click();

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

  private:
    void createControls();

    frmTalk &m_talk;
};
