#pragma once

struct ScanTarget;

// Presses and releases the left button on a target exactly as a pointer would, so every
// handler runs as for a click. The release is queued before the press is sent: a handler that
// repeats while the button is held (the caret pad, list stepping) sees it at its first yield and
// does one step. Returns once the release has been handled.
namespace Activator {
void click(const ScanTarget &target);
}
