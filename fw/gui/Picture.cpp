#include <QCoreApplication>
#include <QFileInfo>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/GuiPrivate.h"

namespace fw {
using namespace gui_detail;

Picture::Picture(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Picture::~Picture() = default;

int Picture::Width() const { return impl_->image.width(); }
int Picture::Height() const { return impl_->image.height(); }
int Picture::Depth() const { return impl_->depth; }

fw::Graphics& Picture::Graphics() {
    if (!impl_->graphics)
        impl_->graphics = std::make_unique<fw::Graphics>(
            std::make_unique<fw::Graphics::Impl>(&impl_->image, QColor(Qt::white)));
    return *impl_->graphics;
}

int Picture::Transparent() const { return impl_->transparent; }
void Picture::Transparent(int mode) { impl_->transparent = mode; }

Color Picture::Pixel(int x, int y) const {
    if (!impl_->image.valid(x, y)) return Color{};
    QColor q = impl_->image.pixelColor(x, y);
    return RGB(q.red(), q.green(), q.blue());
}

bool Picture::Save(const String& path) const { return impl_->image.save(toQ(path), "PNG"); }

PicturePtr Picture::Load(const String& path) {
    QImage img(toQ(path));
    if (img.isNull()) return nullptr;
    return pictureOf(img.convertToFormat(QImage::Format_ARGB32));
}

PicturePtr NewPicture(int width, int height, int depth) {
    // Refuse sizes whose pixels can't be counted in an int.
    if (width < 1 || height < 1 || int64_t(width) * height > (int64_t(1) << 28)) return nullptr;
    auto impl = std::make_unique<Picture::Impl>();
    impl->image = QImage(width, height, QImage::Format_ARGB32);
    if (impl->image.isNull()) return nullptr;
    impl->image.fill(Qt::white);
    impl->depth = depth;
    return std::make_shared<Picture>(std::move(impl));
}

static QString& resourceFolder() {
    static QString folder;
    return folder;
}

void SetResourceFolder(const String& folder) { resourceFolder() = toQ(folder); }

PicturePtr ResourcePicture(int id) {
    QString dir = resourceFolder();
    if (dir.isEmpty()) {
        FolderItemPtr exe = ApplicationExecutable();
        dir = exe ? QFileInfo(toQ(exe->AbsolutePath())).absolutePath() + "/resources"
                  : QCoreApplication::applicationDirPath() + "/resources";
    }
    return Picture::Load(fromQ(dir + "/" + QString::number(id) + ".png"));
}

}  // namespace fw
