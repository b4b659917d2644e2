// Text colours of labels and edits as plain values; the view maps them to a palette in one
// place. Shared by the soil results, the window models and the command line.
#pragma once

namespace pile {

enum class TextColour {
    Black,
    Red,        // messages of refused or suspicious input
    OrangeRed,  // #FF4500, the load-limit fields of formula two
    Green,      // the down-drag load field edt_Qgn
    Blue,       // #0000FF, the link labels of the About box
};

}  // namespace pile
