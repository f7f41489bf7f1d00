#pragma once

class QPushButton;
class QTextBrowser;
class QWidget;

namespace kq {

// A help pane: "戻る", "進む" and "トップページ" over a browser of the
// installed help pages. Back and forward walk the browser's history; what
// the top page is, the caller decides through `top`.
struct HelpPane {
    QWidget *widget;
    QTextBrowser *browser;
    QPushButton *top;
};

HelpPane MakeHelpPane(QWidget *parent);

}  // namespace kq
