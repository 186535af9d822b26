#include "platform/ui/ResourceImage.h"

#include <QString>

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
