#pragma once
// The RTF engine's text operations passed straight on, for test doubles that replace one of them.

#include "controls/HVRichEditCtrl.h"

class CEngineTextOpsDouble : public IRtfTextOps {
public:
    BOOL RepairFontPitch(CString& rtf) override { return EngineRtfTextOps().RepairFontPitch(rtf); }
    CString MakeDefaultHeader() override { return EngineRtfTextOps().MakeDefaultHeader(); }
    CString ToPlainText(LPCSTR rtf) override { return EngineRtfTextOps().ToPlainText(rtf); }
    BOOL Echo(CString& rtf, int nSlot, CString* pOut) override { return EngineRtfTextOps().Echo(rtf, nSlot, pOut); }
};
