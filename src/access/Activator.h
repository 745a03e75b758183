#pragma once

struct ScanTarget;

// Presses and releases the left button on a target exactly as a pointer would, so every
// handler runs as for a click. The release is queued before the press is sent: a handler that
// repeats while the button is held (the caret pad, list stepping) sees it at its first yield and
// does one step. Returns once the release has been handled. The events come from
// PressGuard::selectionDevice(), so the guard against double clicks lets them through.
namespace Activator {
void click(const ScanTarget &target);
}
