#pragma once

#include "predict/Predictor.h"

#include <QFrame>
#include <QList>

#include <array>
#include <functional>

class PredictSession;
class QPushButton;
class TextBox;

// One row of up to five candidates just below the composition text, in the text frame, so it
// never covers the board. Refreshed after every entry and every move of the caret; a board
// selection simply goes on past it. Taking a candidate replaces the part already typed with it
// (the end marker and whatever follows the caret stay) and hands what was added to `speak`.
class PredictStrip : public QFrame
{
    Q_OBJECT

  public:
    static constexpr int kHeightTwips = 900;
    using Speak = std::function<void(const QString &added)>;

    PredictStrip(QWidget &textFrame, TextBox &txtTalk, PredictSession &session, Speak speak);

    // After an entry from a board: what was offered before and not taken sinks.
    void entered();
    // Shows the candidates for the caret's place now.
    void refresh();
    void take(int index);

    const QList<Predictor::Candidate> &shown() const { return m_shown; }
    // The candidate buttons, cmdPredict_0 … cmdPredict_4, left to right.
    std::array<QPushButton *, Predictor::kMostShown> cmdPredict{};

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void followText();

    TextBox &m_box;
    PredictSession &m_session;
    Speak m_speak;
    QList<Predictor::Candidate> m_shown;
};
