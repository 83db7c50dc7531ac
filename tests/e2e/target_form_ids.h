// The control ids of the stand-in target form, shared by the form and the driver that reads it.
#pragma once

namespace e2e {

enum TargetId : int {
    kTypeField = 101,
    kChoice1 = 102,
    kChoice2 = 103,
    kText3 = 104,  // Tab stops 3 to 8; 6 and 7 must stay empty
    kText4 = 105,  // the partition text's field
    kText5 = 106,
    kText6 = 107,
    kText7 = 108,
    kText8 = 109,
    kEnterOneMore = 110,
};

}  // namespace e2e
