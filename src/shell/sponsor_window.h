// The sponsor window (procedure `Sponsor`, from Help, Sponsor/Broker-Dealer):
// a small window of fixed size with the sponsoring broker-dealer's name,
// street address, city line and telephone number, as set when the program
// is built, and the buttons Directory and Close.
//
// The window deletes itself when it closes. Used from the GUI thread only.
#pragma once

#include <QWidget>

namespace bb {

class ProcedureRegistry;

class SponsorWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SponsorWindow(ProcedureRegistry& registry);

private:
    void showDirectory();
    void closeWindow();

    ProcedureRegistry& registry_;
};

// Registers `Sponsor`, which opens the window as a child window of the frame.
void registerSponsorWindow(ProcedureRegistry& registry);

}  // namespace bb
