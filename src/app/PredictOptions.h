#pragma once

#include <QGroupBox>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QuestionAsker;
class BusyPointer;
class SettingsStore;

// The predictions' block of the options dialog: where the predictions show (the list over the
// board or the strip under the text), whether the user's words are learned, and forgetting all
// that was learned (asked first). Nothing changes before store(): the dialog's "確定".
class PredictOptions : public QGroupBox
{
    Q_OBJECT

  public:
    // `settings`: section "PREDICT"; `forget`: forgets every learned word.
    PredictOptions(QWidget &dialog, SettingsStore &settings, QuestionAsker &asker,
                   BusyPointer &busy, std::function<void()> forget);

    // The design size of the block, in twips.
    static constexpr int kWidth = 7000;
    static constexpr int kHeight = 3435;

    // Stores the choices and forgets when that was asked; false when the store failed.
    bool store();

    std::array<QRadioButton *, 2> optPredict{};
    QCheckBox *chkLearn = nullptr;
    QPushButton *cmdForget = nullptr;
    QLabel *lblForget = nullptr; // shown once forgetting waits for "確定"

  private:
    void cmdForget_Click();

    SettingsStore &m_settings;
    QuestionAsker &m_asker;
    BusyPointer &m_busy;
    std::function<void()> m_forget;
    bool m_forgetting = false;
};
