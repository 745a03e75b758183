#pragma once

#include "quick/QuickSettings.h"

#include <QFrame>
#include <array>

class DesignButton;
class QPushButton;

// The quick answers: a band across the foot of the main window, below every other control, so
// the board keeps its size and nothing moves when it is shown. Up to six large buttons, each
// saying its phrase in one press; their captions share the largest type in which every one fits
// on a line.
class QuickBand : public QFrame
{
    Q_OBJECT

  public:
    static constexpr int kHeight = 1500; // twips: room for a line of large type
    static constexpr double kMaxPoints = 36;

    explicit QuickBand(int widthTwips, QWidget *parent);

    // Shows the first phrases on buttons (screen readers read the caption), hides the rest.
    void setPhrases(const QStringList &phrases);
    std::array<QPushButton *, QuickSettings::kMaxPhrases> buttons() const;

  signals:
    void answered(const QString &phrase);

  protected:
    void resizeEvent(QResizeEvent *event) override;

  private:
    void fitCaptions();

    std::array<DesignButton *, QuickSettings::kMaxPhrases> m_buttons{};
    int m_widthTwips;
};
