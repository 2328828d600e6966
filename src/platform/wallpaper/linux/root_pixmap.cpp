#include "platform/wallpaper/linux/root_pixmap.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

namespace paperkit {
namespace {

struct Free {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, Free>;

class Connection {
public:
    Connection() : m_c(xcb_connect(nullptr, &m_screenNumber)) {}
    ~Connection() { xcb_disconnect(m_c); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Ok() const { return xcb_connection_has_error(m_c) == 0; }
    xcb_connection_t* operator*() const { return m_c; }

    xcb_screen_t* Screen() const {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_c));
        for (int i = 0; it.rem; ++i, xcb_screen_next(&it))
            if (i == m_screenNumber)
                return it.data;
        return nullptr;
    }

    xcb_atom_t Atom(const char* name) const {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // True when the request went through without an X error.
    bool Check(xcb_void_cookie_t cookie) const {
        Reply<xcb_generic_error_t> error(xcb_request_check(m_c, cookie));
        return !error;
    }

private:
    int m_screenNumber = 0;
    xcb_connection_t* m_c;
};

std::optional<xcb_pixmap_t> PixmapProperty(const Connection& c, xcb_window_t root,
                                           xcb_atom_t atom) {
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        *c, xcb_get_property(*c, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 4)
        return std::nullopt;
    xcb_pixmap_t pixmap = 0;
    std::memcpy(&pixmap, xcb_get_property_value(reply.get()), 4);
    return pixmap;
}

// Frees the pixmap a previous setter left behind by ending its retained client, as Esetroot
// does. Only when both properties agree, so a pixmap a running program still owns is spared,
// and never our own client.
void FreePrevious(const Connection& c, xcb_window_t root, xcb_atom_t rootPmap,
                  xcb_atom_t esetroot) {
    const auto previous = PixmapProperty(c, root, esetroot);
    if (!previous || *previous == XCB_NONE || PixmapProperty(c, root, rootPmap) != previous)
        return;
    const xcb_setup_t* setup = xcb_get_setup(*c);
    const uint32_t clientBits = ~setup->resource_id_mask;
    if ((*previous & clientBits) == (setup->resource_id_base & clientBits))
        return;
    xcb_kill_client(*c, *previous);
}

struct PixelFormat {
    int bitsPerPixel = 0;
    int scanlinePad = 0;
    uint32_t red = 0, green = 0, blue = 0;
};

std::optional<PixelFormat> FindFormat(const Connection& c, const xcb_screen_t* screen) {
    PixelFormat format;
    const xcb_setup_t* setup = xcb_get_setup(*c);
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == screen->root_depth) {
            format.bitsPerPixel = it.data->bits_per_pixel;
            format.scanlinePad = it.data->scanline_pad;
        }
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem;
         xcb_depth_next(&depths))
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
             xcb_visualtype_next(&visuals))
            if (visuals.data->visual_id == screen->root_visual) {
                format.red = visuals.data->red_mask;
                format.green = visuals.data->green_mask;
                format.blue = visuals.data->blue_mask;
            }
    if ((format.bitsPerPixel != 16 && format.bitsPerPixel != 24 && format.bitsPerPixel != 32) ||
        !format.red || !format.green || !format.blue)
        return std::nullopt;
    return format;
}

uint32_t Scale(int channel, uint32_t mask) {
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint32_t max = mask >> shift;
    return ((static_cast<uint32_t>(channel) * max + 127) / 255) << shift;
}

// The image in the server's pixel layout, row by row with the server's padding.
std::vector<uint8_t> Encode(const QImage& image, const PixelFormat& format, bool msbFirst,
                            int& stride) {
    const int bytesPerPixel = format.bitsPerPixel / 8;
    const int pad = format.scanlinePad / 8;
    stride = (image.width() * bytesPerPixel + pad - 1) / pad * pad;
    std::vector<uint8_t> data(static_cast<std::size_t>(stride) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8_t* out = data.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < image.width(); ++x, out += bytesPerPixel) {
            const uint32_t pixel = Scale(qRed(line[x]), format.red) |
                                   Scale(qGreen(line[x]), format.green) |
                                   Scale(qBlue(line[x]), format.blue);
            for (int b = 0; b < bytesPerPixel; ++b) {
                const int shift = msbFirst ? (bytesPerPixel - 1 - b) * 8 : b * 8;
                out[b] = static_cast<uint8_t>(pixel >> shift);
            }
        }
    }
    return data;
}

} // namespace

QImage ComposeWallpaper(const QImage& picture, WallpaperStyle style, QSize screen) {
    QImage canvas(screen, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&canvas);
    switch (style) {
    case WallpaperStyle::Stretch:
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), screen), source);
        break;
    case WallpaperStyle::Tile:
        for (int y = 0; y < screen.height(); y += source.height())
            for (int x = 0; x < screen.width(); x += source.width())
                painter.drawImage(QPoint(x, y), source);
        break;
    case WallpaperStyle::Centre:
        painter.drawImage(
            QPoint((screen.width() - source.width()) / 2, (screen.height() - source.height()) / 2),
            source);
        break;
    }
    painter.end();
    return canvas;
}

namespace {

// Installs the background (a pixmap, or the black pixel when there is none) and announces it.
bool Install(const Connection& c, xcb_screen_t* screen, xcb_pixmap_t pixmap, std::string& reason) {
    const xcb_window_t root = screen->root;
    const xcb_atom_t rootPmap = c.Atom("_XROOTPMAP_ID");
    const xcb_atom_t esetroot = c.Atom("ESETROOT_PMAP_ID");
    if (rootPmap == XCB_ATOM_NONE || esetroot == XCB_ATOM_NONE) {
        reason = "the X server has no root pixmap atoms";
        return false;
    }
    FreePrevious(c, root, rootPmap, esetroot);

    if (pixmap != XCB_NONE) {
        const uint32_t value = pixmap;
        xcb_change_window_attributes(*c, root, XCB_CW_BACK_PIXMAP, &value);
        for (const xcb_atom_t atom : {rootPmap, esetroot})
            xcb_change_property(*c, XCB_PROP_MODE_REPLACE, root, atom, XCB_ATOM_PIXMAP, 32, 1,
                                &pixmap);
        // The pixmap must outlive this connection; nothing else is kept.
        xcb_set_close_down_mode(*c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    } else {
        const uint32_t value = screen->black_pixel;
        xcb_change_window_attributes(*c, root, XCB_CW_BACK_PIXEL, &value);
        for (const xcb_atom_t atom : {rootPmap, esetroot})
            xcb_delete_property(*c, root, atom);
    }
    const bool cleared = c.Check(xcb_clear_area_checked(*c, 0, root, 0, 0, 0, 0));
    if (!cleared || !c.Ok()) {
        reason = "the X server refused the root window's background";
        return false;
    }
    return true;
}

bool Open(Connection& c, xcb_screen_t*& screen, std::string& reason) {
    if (!c.Ok()) {
        const char* display = std::getenv("DISPLAY");
        reason =
            std::string("cannot open the X display ") + (display ? display : "(DISPLAY unset)");
        return false;
    }
    screen = c.Screen();
    if (!screen) {
        reason = "the X display has no such screen";
        return false;
    }
    return true;
}

} // namespace

bool SetRootPixmap(const QImage& picture, WallpaperStyle style, std::string& reason) {
    Connection c;
    xcb_screen_t* screen = nullptr;
    if (!Open(c, screen, reason))
        return false;
    const auto format = FindFormat(c, screen);
    if (!format) {
        reason = "the root window's visual is not a true colour one this library can draw";
        return false;
    }
    const QImage canvas =
        ComposeWallpaper(picture, style, QSize(screen->width_in_pixels, screen->height_in_pixels));
    int stride = 0;
    const bool msbFirst = xcb_get_setup(*c)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    const std::vector<uint8_t> data = Encode(canvas, *format, msbFirst, stride);

    const xcb_pixmap_t pixmap = xcb_generate_id(*c);
    const xcb_gcontext_t gc = xcb_generate_id(*c);
    if (!c.Check(xcb_create_pixmap_checked(*c, screen->root_depth, pixmap, screen->root,
                                           screen->width_in_pixels, screen->height_in_pixels))) {
        reason = "the X server cannot make a pixmap of the screen's size";
        return false;
    }
    xcb_create_gc(*c, gc, pixmap, 0, nullptr);
    // Requests are limited in size: upload in bands of whole rows.
    const uint64_t maxBytes = static_cast<uint64_t>(xcb_get_maximum_request_length(*c)) * 4;
    const int rowsPerRequest =
        static_cast<int>(std::max<uint64_t>(1, (maxBytes - 64) / static_cast<uint64_t>(stride)));
    for (int y = 0; y < canvas.height(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, canvas.height() - y);
        xcb_put_image(*c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc,
                      static_cast<uint16_t>(canvas.width()), static_cast<uint16_t>(rows), 0,
                      static_cast<int16_t>(y), 0, screen->root_depth,
                      static_cast<uint32_t>(rows) * stride,
                      data.data() + static_cast<std::size_t>(y) * stride);
    }
    xcb_free_gc(*c, gc);
    if (!Install(c, screen, pixmap, reason)) {
        xcb_free_pixmap(*c, pixmap);
        xcb_set_close_down_mode(*c, XCB_CLOSE_DOWN_DESTROY_ALL);
        return false;
    }
    xcb_flush(*c);
    return true;
}

bool ClearRootPixmap(std::string& reason) {
    Connection c;
    xcb_screen_t* screen = nullptr;
    if (!Open(c, screen, reason))
        return false;
    return Install(c, screen, XCB_NONE, reason);
}

} // namespace paperkit
