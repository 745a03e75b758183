#pragma once

// Captions of the composition controls.
namespace ComposeTexts {
inline constexpr char16_t kNarrow[] = u"狭める";
} // namespace ComposeTexts
