#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

// The large-type question window: one prompt and one or two big buttons. Made afresh for
// every question, so each starts from its design state.
class frmOK : public QDialog
{
    Q_OBJECT

  public:
    static constexpr int kDesignWidth = 11775;
    static constexpr int kDesignHeight = 4545;
    // Message-box style values of the kinds of question.
    static constexpr int kNotice = 48;
    static constexpr int kYesNo = 36;
    static constexpr int kOkCancel = 33;

    // Shown at the scale of `parent`'s window (1 without a parent).
    explicit frmOK(QWidget *parent = nullptr);
    ~frmOK() override;

    // Arranges the buttons for `kind`, shows the question modally and returns the answer:
    // true for the left button, false for the right one or the close box.
    bool ask(const QString &prompt, int kind, const QString &title);
    void cmdOK_Click(int index);

    QLabel *lblOK = nullptr;
    std::array<QPushButton *, 2> cmdOK{};

  private:
    void createControls();
    void arrange(int kind);

    bool m_answer = false;
};
