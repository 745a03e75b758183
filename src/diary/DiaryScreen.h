#pragma once

#include "compose/ComposeControls.h"
#include "diary/DiaryControls.h"

#include <QRect>
#include <QString>
#include <functional>

class DiaryFile;
class QWidget;
class ScreenAreas;
struct Options;
struct Services;

// The diary list, the open entry and its buttons. Touches its own controls and the composition
// (text, colour and sizes), shows and hides through the screen areas, reloads through the
// diary file, and sets the highlighted row (gListRow) and the open entry's row (gDiaryRow).
class DiaryScreen
{
  public:
    DiaryScreen(const DiaryControls &controls, const ComposeControls &compose, ScreenAreas &areas,
                DiaryFile &diary, std::function<bool()> diaryOpen, const Options &options,
                qint32 &listRow, qint32 &diaryRow, Services &services, QWidget &window);
    ~DiaryScreen();

    // "決定" while the diary list is shown: opens the highlighted entry.
    void openEntry();
    void cmdRevise_Click();
    void cmdBack_Click();
    void grdDay_Click();

  private:
    // fraDay with both buttons in the foot rectangle, as designed.
    void placeButtonsInFoot();
    // fraDay holding only "戻る", moved beside the caret pad.
    void placeBackBesidePad();

    const DiaryControls m_controls;
    const ComposeControls m_compose;
    ScreenAreas &m_areas;
    DiaryFile &m_diary;
    // Whether the diary is open (not a correction of the text outside it).
    std::function<bool()> m_diaryOpen;
    const Options &m_options;
    qint32 &m_listRow;
    qint32 &m_diaryRow;
    Services &m_services;
    QRect m_footFrame;
    QRect m_backButton;
};
