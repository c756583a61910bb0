// The register records: one per 16-bit holding register of the controller.
//
// Three threads share these without a lock. Writers store value first and raise a flag
// after it; readers test the flag before reading value. Every field is atomic (sequentially
// consistent), which keeps those orders.
#pragma once

#include <atomic>

struct DataItem {
    std::atomic<int> address{0};
    std::atomic<double> value{0.0}; // raw register units
    std::atomic<int> writeFlag{0};
    std::atomic<int> readFlag{0};   // record 0 only: a block read of the table is pending
    std::atomic<int> refreshFlag{0};
    std::atomic<int> fullScale{1};  // display units matching rawScale counts
    std::atomic<int> rawScale{1};
};

constexpr int DATAITEM_OR_NUM = 26;
constexpr int DATAITEM1_NUM = 15;
constexpr int DATAITEM2_NUM = 7;
constexpr int DATAITEM3_NUM = 16;
constexpr int DATAITEM4_NUM = 6;
constexpr int DATAITEM5_NUM = 11;
constexpr int DATAITEM6_NUM = 15;

constexpr int DATAITEM_OR_ADDRESS = 2748;
constexpr int DATAITEM1_ADDRESS = 2548;
constexpr int DATAITEM2_ADDRESS = 2568;
constexpr int DATAITEM3_ADDRESS = 2588;
constexpr int DATAITEM4_ADDRESS = 2608;
constexpr int DATAITEM5_ADDRESS = 2628;
constexpr int DATAITEM6_ADDRESS = 2648;

constexpr int COMMUNICATION_PASSWORD_ADDRESS = 5185; // 0x1441
constexpr int COMMUNICATION_PASSWORD = 23808;        // 0x5D00

extern DataItem dataItemOR[DATAITEM_OR_NUM];
extern DataItem dataItem1[DATAITEM1_NUM];
extern DataItem dataItem2[DATAITEM2_NUM];
extern DataItem dataItem3[DATAITEM3_NUM];
extern DataItem dataItem4[DATAITEM4_NUM];
extern DataItem dataItem5[DATAITEM5_NUM];
extern DataItem dataItem6[DATAITEM6_NUM];
extern DataItem communication_password_hci;

// One table with its size, for code that walks the tables in order.
struct DataTable {
    DataItem *items;
    int count;
};
// dataItem1 ... dataItem6, then dataItemOR: the order in which requests are looked for.
extern const DataTable parameterTables[6];

// Start-up contents: addresses, flags, start values and scale pairs, table by table in the
// order dataItem1 ... dataItem6, dataItemOR; then the password record.
void fillDataItemTables();
void fillCommunicationPassword();
