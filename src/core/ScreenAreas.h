#pragma once

#include <QRect>
#include <optional>

class FlexGrid;
class QFrame;
class QWidget;

// The board area (the board, and the selection screen and lists laid over it) and the foot
// area (the caret pad, the list buttons, the diary buttons). The parts show, hide and raise
// what they need here, in the order they need it: the press guard and the scan plan see each
// change as it happens.
class ScreenAreas
{
  public:
    enum class Area
    {
        Board,
        Selection,
        Predictions,
        Samples,
        Diary,
        CaretPad,
        ListButtons,
        DiaryButtons
    };

    struct Widgets
    {
        QWidget *window;
        FlexGrid *board;
        QFrame *selection;
        FlexGrid *predictions;
        FlexGrid *samples;
        FlexGrid *diary;
        QFrame *caretPad;
        QFrame *listButtons;
        QFrame *diaryButtons;
    };

    explicit ScreenAreas(const Widgets &widgets);

    void show(Area area);
    void hide(Area area);
    void raise(Area area);
    // Shown within the window (whether the window itself is shown or not).
    bool shown(Area area) const;
    // The list the list buttons serve: the predictions first, then the samples, the diary.
    std::optional<Area> listOnShow() const;
    // The grid of a list area (Predictions, Samples, Diary).
    FlexGrid &list(Area area) const;
    // The board's rectangle in design twips.
    QRect boardRect() const;
    // Gives a list the board's rectangle.
    void placeOverBoard(Area area);
    // Moves a screen's top left corner to the board's.
    void moveOverBoard(Area area);

  private:
    QWidget *widget(Area area) const;

    Widgets m_widgets;
};
