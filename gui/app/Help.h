#pragma once

#include <QUrl>

#include <functional>

class AppContext;
class QWidget;

// The help pages: one HTML manual per language in the program's folder (the context's helpFile()
// under its dataDir()), with an anchor for every help context id. Opening goes through an
// exchangeable opener so tests can see which page and context were asked for.
class Help {
public:
    using Opener = std::function<bool(const QUrl&)>;

    // file:// URL of the page of the running language; the context id is the fragment, and 0
    // gives the top of the page.
    static QUrl url(const AppContext& context, int contextId);
    // Opens the page at the context. A missing page is reported in a message box.
    static void open(const AppContext& context, QWidget* parent, int contextId);

    // nullptr restores the desktop's browser (QDesktopServices::openUrl).
    static void setOpener(Opener opener);

private:
    static Opener s_opener;
};
