// Names for new components that no other component of the owner bears.
#pragma once

#include <string>

class TComponent;

// The candidate for number N: BaseText stripped to ASCII letters, digits and "_"
// (other characters, UTF-8 letters included, are dropped whole); when that is
// empty or starts with a digit, the item's class name goes in front (without
// Prefix, or without its leading "T"); NameComponent's name in front of all;
// N appended when above 0. N starts at 0 with a base text, at 1 without, and
// counts up until no other component of Owner has the name (letter case ignored).
std::string MakeUniqueComponentName(TComponent* Owner, TComponent* NameComponent, TComponent* Item,
                                    const std::string& Prefix, const std::string& BaseText);
