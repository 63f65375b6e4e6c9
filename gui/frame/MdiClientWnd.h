#pragma once

#include <QMdiArea>
#include <QPixmap>

// The area behind the document windows, tiled from its top-left corner with "background.bmp"
// from the program's folder, or with the built-in picture when that file is missing or cannot
// be read. The file is read again for every paint, so a replaced picture shows at the next one.
class MdiClientWnd : public QMdiArea {
    Q_OBJECT
public:
    // appDir: the folder "background.bmp" is looked for in, ending with '/'.
    explicit MdiClientWnd(const QString& appDir, QWidget* parent = nullptr);

    // The picture the next paint tiles.
    QPixmap tile() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_appDir;
};
