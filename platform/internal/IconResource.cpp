#include "IconResource.h"

#include "ResourceScript.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

// Every image of an icon resource, so the window manager picks its size.
QIcon LoadIconResource(int nID)
{
    const std::string_view bytes = AfxGetResourceFile(AfxGetResources().IconFile(nID));
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull()) {
        QImage image;
        if (image.loadFromData(data)) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
