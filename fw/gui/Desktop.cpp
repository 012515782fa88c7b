#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "fw/gui/GuiPrivate.h"

namespace fw {
using namespace gui_detail;

static int firstButton(int buttons) {
    int kind = buttons & 7;
    return kind == 3 || kind == 4 ? 6 : 1;
}

int MsgBox(const String& text, int buttons, const String& title) {
    if (testing::Enabled()) {
        recordMessage(text);
        int answer = 0;
        return takeMsgBoxAnswer(&answer) ? answer : firstButton(buttons);
    }
    if (!qApp) return firstButton(buttons);
    QMessageBox box;
    box.setText(normalizeBreaks(toQ(text)));
    if (!title.empty()) box.setWindowTitle(toQ(title));
    int icon = buttons & 0x70;
    box.setIcon(icon == 16 ? QMessageBox::Critical : icon == 32 ? QMessageBox::Question
               : icon == 48 ? QMessageBox::Warning : icon == 64 ? QMessageBox::Information : QMessageBox::NoIcon);
    std::vector<std::pair<QAbstractButton*, int>> map;
    auto add = [&](QMessageBox::StandardButton b, int code) { map.emplace_back(box.addButton(b), code); };
    switch (buttons & 7) {
    case 1: add(QMessageBox::Ok, 1); add(QMessageBox::Cancel, 2); break;
    case 3: add(QMessageBox::Yes, 6); add(QMessageBox::No, 7); add(QMessageBox::Cancel, 2); break;
    case 4: add(QMessageBox::Yes, 6); add(QMessageBox::No, 7); break;
    default: add(QMessageBox::Ok, 1); break;
    }
    int blocked = std::exchange(InputBlockDepth(), 0);
    box.exec();
    InputBlockDepth() = blocked;
    for (auto& [b, code] : map)
        if (box.clickedButton() == b) return code;
    return (buttons & 7) == 0 ? 1 : 2;
}

String Clipboard::Text() const {
    return qApp ? fromQ(QGuiApplication::clipboard()->text()) : String();
}
void Clipboard::Text(const String& t) {
    if (qApp) QGuiApplication::clipboard()->setText(toQ(t));
}

void ShowURL(const String& url) {
    if (testing::Enabled()) return recordURL(url);
    QDesktopServices::openUrl(QUrl(toQ(url)));
}

}  // namespace fw
