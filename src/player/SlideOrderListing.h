#pragma once

#include "player/SlideOrder.h"

#include <QString>

class Prompter;
class SlideList;

// The text of the order listing: each showable slide with the order entry of the same index,
// then each order position with the slide it shows. Numbers are padded to the width of the
// number of lines and followed by two spaces, or written plain with a TAB after them. An empty
// list gives ""; so does a malformed line, whose message is shown first.
QString OrderListingText(const SlideList &list, const SlideOrder &order, bool withTabs,
                         Prompter &prompter);
