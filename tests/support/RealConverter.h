#pragma once
// The real process runner and LibreOffice converter for the length of a test, for the tests that
// convert a real document where LibreOffice is installed.

#include "controls/WordConvert.h"
#include "platform/ui/Process.h"

class CRealConverterScope {
public:
    CRealConverterScope() : m_runnerScope(ProcessRunnerSlot(), m_runner), m_officeScope(DocumentConverterSlot(), m_office) {}
    bool Installed() { return m_office.IsInstalled(CONVERTER_WORD) != FALSE; }

private:
    CQtProcessRunner m_runner;
    CLibreOfficeConverter m_office;
    CServiceScope<IProcessRunner> m_runnerScope;
    CServiceScope<IDocumentConverter> m_officeScope;
};

#define SKIP_WITHOUT_LIBREOFFICE(scope)                                                                \
    if (!(scope).Installed())                                                                        \
    GTEST_SKIP() << "LibreOffice (soffice) is not installed"
