#include "platform/ui/ResourceImage.h"

#include <QString>

#include <cstdlib>

#include <map>
#include <mutex>

namespace {
std::mutex g_mutex;
std::map<UINT, QImage>& Images()
{
    static std::map<UINT, QImage> images;
    return images;
}
} // namespace

void SetResourceImage(UINT nId, const QImage& image)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (image.isNull())
        Images().erase(nId);
    else
        Images()[nId] = image;
}

BOOL LoadResourceImage(UINT nId, QImage& image)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = Images().find(nId);
        if (it != Images().end()) {
            image = it->second;
            return TRUE;
        }
    }
    image = QImage(QStringLiteral(":/bitmaps/%1.png").arg(nId));
    return !image.isNull();
}

BOOL LoadResourceImage(LPCSTR name, QImage& image)
{
    image = QImage();
    if (!name)
        return FALSE;
    if (IS_INTRESOURCE(name))
        return LoadResourceImage(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name)), image);
    if (name[0] != '#' || name[1] < '0' || name[1] > '9')
        return FALSE;
    char* end = nullptr;
    const unsigned long id = std::strtoul(name + 1, &end, 10);
    if (*end != '\0' || id > 0xFFFF)
        return FALSE;
    return LoadResourceImage(static_cast<UINT>(id), image);
}
