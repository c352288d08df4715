#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace whoopline::document {
class ImageDocument;
}

namespace whoopline::shell {

// The main window's status bar under its client area, following the document: the open file's
// name (its full path as tooltip), the shown track, the current object, the selected run ("3
// objects selected (5 bytes)"), the track's free bytes, its marked objects, and which tracks
// have unsaved edits. Its parts are lblFileName, lblTrack, lblObject, lblSelection,
// lblFreeBytes, lblMarked and lblModified.
class WindowStatusBar : public QObject
{
    Q_OBJECT

public:
    WindowStatusBar(const document::ImageDocument &document, QStatusBar *bar);

private:
    void update();
    void showSelection();

    const document::ImageDocument &m_document;
    QLabel *m_fileName;
    QLabel *m_track;
    QLabel *m_object;
    QLabel *m_selection;
    QLabel *m_freeBytes;
    QLabel *m_marked;
    QLabel *m_modified;
};

} // namespace whoopline::shell
