#pragma once
// What the RTF reader and writer of the rich-edit control share. Not for use outside
// platform/ui/RtfStream*.

namespace rtfstream {

// The character properties of a run, as the reader keeps them and the writer compares them.
struct RunFormat {
    int font = -1;        // -1: the default font
    int halfPoints = -1;  // -1: the base size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool shadow = false;
    bool emboss = false;
    int script = 0;  // 1 superscript, 2 subscript
    int color = 0;   // index into the colour table, 0 automatic
};

} // namespace rtfstream
