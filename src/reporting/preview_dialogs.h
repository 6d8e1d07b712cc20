// The print preview's two small dialogs: going to a page by its number, and
// choosing how many pages the tiles show across and down. Both are modal
// and read back after exec(). Used from the GUI thread.
#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

namespace bb {

class JumpDialog : public QDialog {
public:
    JumpDialog(int current, int pages, QWidget* parent = nullptr);
    int Page() const;

    QSpinBox* page;
};

// OK is refused while the grid would hold more pages than the report has.
class TileGridDialog : public QDialog {
public:
    TileGridDialog(int across, int down, int pages, QWidget* parent = nullptr);
    void accept() override;

    QSpinBox* across;
    QSpinBox* down;
    QLabel* refusal;

private:
    int pages_;
};

}  // namespace bb
