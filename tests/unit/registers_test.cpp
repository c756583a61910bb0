// Start-up contents of the register tables.
#include "registers/dataitem.h"

#include <gtest/gtest.h>

namespace {

struct TableCase {
    const char *name;
    DataItem *items;
    int count;
    int firstAddress;
};

struct ScaleCase {
    DataItem *item;
    const char *what;
    int fullScale;
    int rawScale;
};

TEST(RegisterTables, StartContentsOfEveryRecord) {
    fillDataItemTables();
    const TableCase tables[] = {
        {"dataItem1", dataItem1, 15, 2548}, {"dataItem2", dataItem2, 7, 2568},
        {"dataItem3", dataItem3, 16, 2588}, {"dataItem4", dataItem4, 6, 2608},
        {"dataItem5", dataItem5, 11, 2628}, {"dataItem6", dataItem6, 15, 2648},
        {"dataItemOR", dataItemOR, 26, 2748},
    };
    for (const auto &t : tables) {
        for (int i = 0; i < t.count; ++i) {
            SCOPED_TRACE(std::string(t.name) + "[" + std::to_string(i) + "]");
            const DataItem &r = t.items[i];
            EXPECT_EQ(r.address, t.firstAddress + i);
            EXPECT_EQ(r.writeFlag, 0);
            EXPECT_EQ(r.readFlag, 1);
            EXPECT_EQ(r.refreshFlag, 1);
            double expected = t.items == dataItem3 ? i % 2 : i;
            EXPECT_EQ(r.value, expected);
        }
    }
    // The tables walked in request order.
    EXPECT_EQ(parameterTables[0].items, dataItem1);
    EXPECT_EQ(parameterTables[5].items, dataItem6);
    EXPECT_EQ(parameterTables[5].count, 15);
}

TEST(RegisterTables, ScalePairs) {
    fillDataItemTables();
    const ScaleCase scaled[] = {
        {&dataItem3[15], "Guard ph current coeff", 1, 10},
        {&dataItem4[0], "Throttle min volt", 5, 32767},
        {&dataItem4[1], "Throttle max volt", 5, 32767},
        {&dataItem4[4], "Throttle mid volt", 5, 32767},
        {&dataItem6[4], "test current D", 600, 32767},
        {&dataItem6[8], "test current Q", 600, 32767},
        {&dataItem6[11], "test voltage VD", 600, 32767},
        {&dataItem6[12], "test voltage VD (2)", 600, 32767},
        {&dataItem6[9], "test frequency", 1000, 32767},
        {&dataItem6[13], "test angle", 360, 32767},
        {&dataItemOR[1], "Battery voltage", 600, 32767},
        {&dataItemOR[2], "Weaken current cmd", 600, 32767},
        {&dataItemOR[3], "Weaken current fbk", 600, 32767},
        {&dataItemOR[4], "torque command", 600, 32767},
        {&dataItemOR[5], "ebrake Torque cmd", 600, 32767},
        {&dataItemOR[8], "EbsThrottle voltage", 5, 32767},
        {&dataItemOR[11], "Throttle voltage", 5, 32767},
    };
    int scaledCount = 0;
    for (const auto &c : scaled) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.item->fullScale, c.fullScale);
        EXPECT_EQ(c.item->rawScale, c.rawScale);
    }
    // Every other record is unscaled.
    for (DataTable t : {parameterTables[0], parameterTables[1], parameterTables[2],
                        parameterTables[3], parameterTables[4], parameterTables[5],
                        DataTable{dataItemOR, 26}})
        for (int i = 0; i < t.count; ++i)
            if (t.items[i].fullScale != 1 || t.items[i].rawScale != 1)
                ++scaledCount;
    EXPECT_EQ(scaledCount, static_cast<int>(std::size(scaled)));

    // Display values before any reply: "Battery voltage" 1 x 600 / 32767, "Guard" 0.1.
    auto display = [](const DataItem &r) {
        return r.value * static_cast<double>(r.fullScale) / static_cast<double>(r.rawScale);
    };
    EXPECT_NEAR(display(dataItemOR[1]), 0.0183, 1e-4);
    EXPECT_DOUBLE_EQ(display(dataItemOR[9]), 9.0);
    EXPECT_DOUBLE_EQ(display(dataItem3[15]), 0.1);
}

TEST(RegisterTables, PasswordRecord) {
    fillCommunicationPassword();
    EXPECT_EQ(communication_password_hci.address, 0x1441);
    EXPECT_EQ(communication_password_hci.value, 0x5D00);
}

} // namespace
