#pragma once
// Storing the images the question images dialog edited into a question of a document.

#include "platform/core/Collections.h"
#include "platform/core/WinTypes.h"

class CCorraDoc;
class CCorraQuestion;

// The question (one of the document's) takes copies of the images (CImageData records); the
// document is modified, its views lay the question out again and its question dialog, when it
// shows the question, takes the images. FALSE, nothing stored, when
// the document does not hold the question.
BOOL StoreQuestionImages(CCorraDoc& doc, CCorraQuestion* question, const CPtrList& images);
