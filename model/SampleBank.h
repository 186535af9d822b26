#pragma once
// The sample documents that ship with the program (the "samples" folder beside it): on a first
// start they are put where the user's documents and images live, so that there is something to
// open and try.

#include "platform/core/String.h"

// The folder of the shipped samples: "samples" in the program home, else beside the program file.
CString SampleFolder();
// Copies the sample banks and exams into the default folders of their kinds and the sample
// images (its "Images" folder) into the primary image folder. A file already there is left as
// it is. The number of files copied; 0 when there is no sample folder.
int InstallSamples(LPCSTR fromFolder = nullptr);
