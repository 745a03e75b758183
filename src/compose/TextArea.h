#pragma once

#include <QString>

struct ComposeControls;
class TextBox;

// Sizes of the composition area and the conventions of the composition text.
namespace TextArea {

// The window's outer height (client plus caption and borders) in design twips: the widened
// sizes are computed from it.
constexpr int kWindowOuterHeight = 11580;
constexpr int kNarrowFrame = 2445;
constexpr int kNarrowText = 2295;
constexpr int kWideFrameMargin = 3480; // widened frame: window height minus this
constexpr int kWideTextMargin = 3630;  // widened text box: window height minus this
// Stands last in the text once the caret has gone past the end.
constexpr char16_t kEndMarker = u'_';

// Keeps `twips` of the text frame below the text box free (the prediction strip), narrow or
// widened; 0 by default.
void setRoomBelowText(int twips);
int roomBelowText();
// Changes that room on show: the text box, narrow or widened, gives or takes the difference.
void changeRoomBelowText(const ComposeControls &compose, int twips);
// Narrow sizes with the caption "広げる".
void setNarrow(const ComposeControls &compose);
// Widened sizes; the caption of cmdWide is left as it is.
void setWideSizes(const ComposeControls &compose);
// Appends the end marker "_" when the text does not end with it.
void ensureEndMarker(TextBox &box);
// The text as it is said and shown to others: every end marker left out (none can be typed; a
// paste may leave one inside the text), as sentence speech drops them.
QString withoutEndMarkers(QString text);
// The effect of the keystroke "+{RIGHT}" when nothing is selected: selects the character
// after the caret (nothing at the end of the text).
void selectNextIfNone(TextBox &box);

} // namespace TextArea
