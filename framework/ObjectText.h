// The text form of the component stream, for authored forms and fixtures:
//
//   object MainSuite: TMainSuite
//     Caption = 'Sonvelt'#13#10'2'        // strings: quotes doubled, #n code points
//     Font.Style = [fsBold]               // sets
//     Items.Strings = (                   // lists
//       'One'
//       'Two')
//     Glyph.Data = {0A0B0C}               // binary data in hex
//     Links = <                           // collections
//       item
//         Caption = 'x'
//       end>
//     OnClick = ButtonClick               // identifiers: names, True, False, nil
//     object Child: TChild [2]            // inherited / inline for the other prefixes
//     end
//   end
//
// Numbers: 12, -7, $FF; floats 1.5 (extended), 1.5s (single), 1.5f (double),
// 1.5d (date), 1.5c (currency); values no decimal gives exactly (infinities, NaN,
// extended precision beyond double) are written as their bit fields, 0x1.8p+3 with
// the same suffixes. Text is UTF-8; a binary stream written by TWriter comes back
// byte for byte from its text.
#pragma once

#include "framework/Exceptions.h"

class TStream;

SONVELT_EXCEPTION(EParserError, Exception)

// Reads a binary component stream from Input's position and writes its text.
void ObjectBinaryToText(TStream* Input, TStream* Output);
// Reads the text from Input's position and writes the binary stream; EParserError
// "... on line N" for text that is not a component.
void ObjectTextToBinary(TStream* Input, TStream* Output);
