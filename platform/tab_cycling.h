#pragma once
// Ctrl+Tab and Ctrl+Shift+Tab on a window of tabs numbered 1 to tabCount.

// The tab that Tab pressed with the shift mask `shift` leads to from
// `current`: Ctrl alone the next, Ctrl with Shift the previous, wrapping
// round at either end; any other mask stays on `current`.
int cycledTab(int current, int shift, int tabCount);
