#pragma once

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class Ui_MainWindow;
namespace Ui {
class MainWindow;
}

// The seven cells of one row of the channel table. The form names its widgets
// row by row; this lets the handlers and the recalculation reach them by
// channel index, so every row shares one implementation.
struct ChannelRow
{
    QLabel *caption;
    QComboBox *mode;
    QComboBox *resolution;
    QComboBox *frame;
    QComboBox *quality;
    QLineEdit *bitrate;
    QLabel *capacity;

    // Shows or hides the whole row.
    void setVisible(bool visible) const;
};

// Channel index 0 to 15.
ChannelRow channelRow(const Ui::MainWindow &ui, int channel);
ChannelRow allRow(const Ui::MainWindow &ui);
