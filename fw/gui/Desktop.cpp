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
    return kind == MsgBoxYesNoCancel || kind == MsgBoxYesNo ? AnswerYes : AnswerOK;
}

static QMessageBox::Icon iconOf(int buttons) {
    switch (buttons & 0x70) {
    case MsgBoxStop: return QMessageBox::Critical;
    case MsgBoxQuestion: return QMessageBox::Question;
    case MsgBoxCaution: return QMessageBox::Warning;
    case MsgBoxNote: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int MsgBox(const String& text, int buttons, const String& title) {
    if (!qApp) return firstButton(buttons);
    recordMessage(text);
    QMessageBox box;
    box.setText(normalizeBreaks(toQ(text)));
    if (!title.empty()) box.setWindowTitle(toQ(title));
    box.setIcon(iconOf(buttons));
    std::vector<std::pair<QAbstractButton*, int>> map;
    auto add = [&](QMessageBox::StandardButton b, int code) { map.emplace_back(box.addButton(b), code); };
    switch (buttons & 7) {
    case MsgBoxOKCancel:
        add(QMessageBox::Ok, AnswerOK);
        add(QMessageBox::Cancel, AnswerCancel);
        break;
    case MsgBoxYesNoCancel:
        add(QMessageBox::Yes, AnswerYes);
        add(QMessageBox::No, AnswerNo);
        add(QMessageBox::Cancel, AnswerCancel);
        break;
    case MsgBoxYesNo:
        add(QMessageBox::Yes, AnswerYes);
        add(QMessageBox::No, AnswerNo);
        break;
    default: add(QMessageBox::Ok, AnswerOK); break;
    }
    // Under test the queued answer (else the first button) is clicked.
    answerInLoop(&box, [&] {
        int want = firstButton(buttons);
        takeMsgBoxAnswer(&want);
        for (auto& [b, code] : map)
            if (code == want) return b->click();
        box.reject();
    });
    {
        ModalScope scope;
        box.exec();
    }
    for (auto& [b, code] : map)
        if (box.clickedButton() == b) return code;
    return (buttons & 7) == MsgBoxOK ? AnswerOK : AnswerCancel;
}

String Clipboard::Text() const { return qApp ? fromQ(QGuiApplication::clipboard()->text()) : String(); }
void Clipboard::Text(const String& t) {
    if (qApp) QGuiApplication::clipboard()->setText(toQ(t));
}

void ShowURL(const String& url) {
    if (testing::Enabled()) return recordURL(url);
    QDesktopServices::openUrl(QUrl(toQ(url)));
}

}  // namespace fw
