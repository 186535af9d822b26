#pragma once
// RTF page templates: the export writes plain markers into its composition control ("<hdr>",
// "<ftr>", "<ss>", "<pgnum>", "<pbrk>", "<nbs>", ...) and turns them into real RTF once the
// control's text has been streamed out.

#include "platform/core/String.h"

// Replaces the markers in place: the header and footer markers (only when the text has a header
// or a footer), non-breaking spaces and page breaks.
void ExpandRtfTemplate(CString& rtf);
