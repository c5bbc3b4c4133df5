#pragma once
// How wide an ellipse must be for a centred row of content to lie inside it.
// The About box is an ellipse: a row below or above its middle has less room
// than the ellipse's full width, so a long link line needs a wider ellipse
// than the text lines above it.

// The least width of an ellipse `height` pixels tall (its top at 0) whose
// inside holds a centred row `rowWidth` pixels wide from `rowTop` to
// `rowBottom` (exclusive); -1 when no width is enough because the row reaches
// the ellipse's top or bottom.
int EllipseWidthForRow(int rowWidth, int rowTop, int rowBottom, int height);
