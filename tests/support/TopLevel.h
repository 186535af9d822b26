#pragma once
// The open top-level window of a class (the last one Qt lists), for windows a command opens
// without handing them back, such as a print preview.

#include <QApplication>
#include <QWidget>

template <typename T>
T* FindTopLevel()
{
    T* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = dynamic_cast<T*>(w))
            found = t;
    }
    return found;
}
