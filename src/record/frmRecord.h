#pragma once

#include "record/RecordPages.h"
#include "record/VoiceStore.h"

#include <QDialog>
#include <QList>

class AudioInput;
class TakePlayer;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class TakeRecorder;
class VoiceReadings;

// The recording screen: the characters laid out like the boards, each coloured by whether it
// speaks with the user's own recording, the generated voice or nothing; the chosen text large
// with its reading; one take at a time, trimmed, levelled and played back at once, kept or
// recorded again. Space records and stops, Enter keeps the take and moves on, P plays it again.
class frmRecord : public QDialog
{
    Q_OBJECT

  public:
    frmRecord(VoiceStore &store, const VoiceReadings &readings, AudioInput &input,
              TakePlayer &player, QWidget *parent = nullptr, const QStringList &answers = {});
    ~frmRecord() override;

    QString currentText() const;
    void selectText(const QString &text);

    void cmdRecord_Click();
    void cmdListen_Click();
    // Keeps the take; false (with a notice) when there was none or it could not be written.
    bool cmdSave_Click();
    void cmdRetake_Click();
    void cmdPrev_Click();
    void cmdNext_Click();
    void cmdRestore_Click();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    // The page buttons, the grid of texts and its legend.
    QLayout *createTextPicker();
    // The chosen text, its reading, the level meter, the notices and the take's buttons.
    QLayout *createTakePanel();
    QLayout *createTakeButtons();
    // The level meter follows the take, and a finished take is judged.
    void connectRecorder();
    QPushButton *addButton(const QString &name, const QString &caption);
    void showPage(int page);
    void refreshCells();
    void refreshControls();
    void onTakeFinished();
    void moveBy(int step);
    // The texts a save or restore of the current text applies to.
    QStringList affectedTexts() const;

    VoiceStore &m_store;
    const VoiceReadings &m_readings;
    AudioInput &m_input;
    TakePlayer &m_player;
    TakeRecorder *m_recorder = nullptr;
    QList<RecordPage> m_pages;
    QStringList m_order;
    qsizetype m_index = 0;
    int m_page = -1;
    bool m_hasTake = false;

    QGridLayout *m_cellGrid = nullptr;
    QList<QPushButton *> m_cells;
    QLabel *lblText = nullptr;
    QLabel *lblReading = nullptr;
    QProgressBar *barLevel = nullptr;
    QLabel *lblLength = nullptr;
    QLabel *lblAdvice = nullptr;
    QLabel *lblStatus = nullptr;
    QCheckBox *chkShare = nullptr;
    QPushButton *cmdRecord = nullptr;
    QPushButton *cmdListen = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdRetake = nullptr;
    QPushButton *cmdPrev = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdClose = nullptr;
};
