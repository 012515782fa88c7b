#pragma once
// Off-screen pictures of 32-bit pixels, and the application's picture
// resources.
#include <memory>

#include "fw/core/String.h"
#include "fw/gui/Color.h"

namespace fw {

class Graphics;
class Picture;
using PicturePtr = std::shared_ptr<Picture>;  // nullptr plays nil

class Picture {
public:
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;
    int Depth() const;
    // The picture's drawing context: the same object on every call, so
    // attributes set once persist.
    fw::Graphics& Graphics();
    // 0 opaque; 1 white pixels are left out when the picture is drawn.
    int Transparent() const;
    void Transparent(int mode);

    Color Pixel(int x, int y) const;  // black outside the picture
    bool Save(const String& pngPath) const;
    static PicturePtr Load(const String& path);  // nullptr when unreadable

    struct Impl;
    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }
    explicit Picture(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

// A new white picture, or nullptr when it can't be made (width or height
// below 1, or no memory).
PicturePtr NewPicture(int width, int height, int depth = 32);

// Picture resource `id` bundled with the application: "resources/<id>.png"
// beside the executable (see fw_bundle_picture in fw/gui/CMakeLists.txt).
// nullptr when there is none. Each call loads the file again.
PicturePtr ResourcePicture(int id);
// Where resources are looked up (tests); empty restores the default.
void SetResourceFolder(const String& folder);

}  // namespace fw
