#pragma once
// The colour chooser: two sliders over the colour table pick the list's text
// colour and its background colour, with a sample text painted in the chosen
// pair below them.  OK applies both colours to the list at once.

#include "framework/Controls.h"
#include "framework/DialogObject.h"
#include "framework/ListViewControl.h"
#include "ui/ColourTable.h"

class ColourDialog : public DialogObject {
public:
    ColourDialog(COLORREF foreground, COLORREF background) : fore_(foreground), back_(background) {}
    INT_PTR DialogProc(UINT message, WPARAM w, LPARAM l) override;

    COLORREF Foreground() const { return fore_.Colour(); }
    COLORREF Background() const { return back_.Colour(); }

private:
    void OpenSlider(SliderControl& slider, int id, const ColourSlider& colour);
    void PaintSample();

    ColourSlider fore_;
    ColourSlider back_;
    SliderControl foreSlider_;
    SliderControl backSlider_;
};

// Runs the chooser over the list, starting from the list's colours; on OK
// sets its text colour, text background and background and redraws it.
// Returns whether OK was pressed.
bool ChooseColours(ListViewControl& list);
