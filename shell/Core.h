// The tool's main window: the three coloured rows STEP1, STEP2 and STEP3, the two recorded screen
// positions, and the start of the entry run.
#pragma once

#include <cstdint>

#include "platform/forms_win32.h"

class TCore : public TForm {
public:
    explicit TCore(TApplication& Owner) : TForm(Owner) {}

    TButton exec;
    TButton getFirstXY;
    TButton getNextXY;
    TLabel Label1;
    TEdit firstX;
    TLabel Label2;
    TEdit firstY;
    TLabel Label3;
    TEdit nextX;
    TLabel Label4;
    TEdit nextY;
    TLabel Label5;
    TLabel Label6;
    TLabel Label7;

    // Screen pixels as the cursor position reports them; (0, 0) is a position not recorded.
    std::int32_t firstPosX = 0;
    std::int32_t firstPosY = 0;
    std::int32_t nextPosX = 0;
    std::int32_t nextPosY = 0;

    void execClick(TObject* Sender);
    void getFirstXYClick(TObject* Sender);
    void getNextXYClick(TObject* Sender);
};

// The main window, once the application has created it.
extern TCore* Core;
