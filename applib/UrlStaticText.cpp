#include "applib/UrlStaticText.h"

#include <string>
#include <string_view>

#include "fw/gui/Color.h"
#include "fw/gui/Cursor.h"
#include "fw/gui/Desktop.h"

UrlStaticText::UrlStaticText() {
    On("Open", this, &UrlStaticText::Event_Open);
    On("MouseMove", this, &UrlStaticText::Event_MouseMove);
    On("MouseDown", this, &UrlStaticText::Event_MouseDown);
}

void UrlStaticText::Event_Open() {
    Underline(true);
    TextColor(fw::Color::FromHex(0x0000FF));
    RaiseEvent("Open");
}

void UrlStaticText::Event_MouseMove(int, int) { MouseCursor(fw::System::Cursors::FingerPointer()); }

bool UrlStaticText::Event_MouseDown(int x, int y) {
    if (URL.empty()) return RaiseEvent<bool(int, int)>("MouseDown", x, y);
    // A language file sets the address: only web and mail links reach the
    // system's opener, never a path or a program.
    if (IsOpenableUrl(URL)) fw::ShowURL(URL);
    return true;
}

bool IsOpenableUrl(const fw::String& url) {
    std::string s = url.utf8();
    for (char& ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (u <= 0x20 || u == 0x7F) return false;
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    }
    const std::string_view v(s);
    for (std::string_view web : {"http://", "https://"}) {
        if (!v.starts_with(web)) continue;
        const std::string_view rest = v.substr(web.size());
        const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
        return !host.empty();
    }
    return v.starts_with("mailto:") && v.size() > 7;
}
