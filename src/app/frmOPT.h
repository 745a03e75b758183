#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class frmTalk;

// The options dialog: shows the stored settings, "確定" stores them all and rebuilds the
// hiragana board, "キャンセル" closes it without writing.
class frmOPT : public QDialog
{
    Q_OBJECT

public:
    explicit frmOPT(frmTalk &talk);
    ~frmOPT() override;

    void Form_Load();
    void cmdOK_Click(int index);

private:
    frmTalk &m_talk;
};
