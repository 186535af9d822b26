#pragma once
// Runs a command-line tool (poppler's pdftotext, a browser) and gives what it wrote to its
// standard output; "<no result>" when it did not finish within a minute.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

inline std::string RunTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return "<no result>";
    return process.readAllStandardOutput().toStdString();
}
