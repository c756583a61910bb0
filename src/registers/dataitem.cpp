#include "registers/dataitem.h"

DataItem dataItemOR[DATAITEM_OR_NUM];
DataItem dataItem1[DATAITEM1_NUM];
DataItem dataItem2[DATAITEM2_NUM];
DataItem dataItem3[DATAITEM3_NUM];
DataItem dataItem4[DATAITEM4_NUM];
DataItem dataItem5[DATAITEM5_NUM];
DataItem dataItem6[DATAITEM6_NUM];
DataItem communication_password_hci;

const DataTable parameterTables[6] = {
    {dataItem1, DATAITEM1_NUM}, {dataItem2, DATAITEM2_NUM}, {dataItem3, DATAITEM3_NUM},
    {dataItem4, DATAITEM4_NUM}, {dataItem5, DATAITEM5_NUM}, {dataItem6, DATAITEM6_NUM},
};

namespace {

// Scale pairs first, flags last: no other thread may see a raised refreshFlag on a
// record whose scales are not yet in place.
void fillTable(DataItem *table, int count, int firstAddress, bool alternating) {
    for (int i = 0; i < count; ++i) {
        DataItem &item = table[i];
        item.address = firstAddress + i;
        item.value = alternating ? static_cast<double>(i % 2) : static_cast<double>(i);
        item.fullScale = 1;
        item.rawScale = 1;
    }
}

void setScale(DataItem &item, int fullScale, int rawScale) {
    item.fullScale = fullScale;
    item.rawScale = rawScale;
}

void raiseFlags(DataItem *table, int count) {
    for (int i = 0; i < count; ++i) {
        table[i].writeFlag = 0;
        table[i].readFlag = 1;
        table[i].refreshFlag = 1;
    }
}

} // namespace

void fillDataItemTables() {
    fillTable(dataItem1, DATAITEM1_NUM, DATAITEM1_ADDRESS, false);
    fillTable(dataItem2, DATAITEM2_NUM, DATAITEM2_ADDRESS, false);
    fillTable(dataItem3, DATAITEM3_NUM, DATAITEM3_ADDRESS, true);
    fillTable(dataItem4, DATAITEM4_NUM, DATAITEM4_ADDRESS, false);
    fillTable(dataItem5, DATAITEM5_NUM, DATAITEM5_ADDRESS, false);
    fillTable(dataItem6, DATAITEM6_NUM, DATAITEM6_ADDRESS, false);
    fillTable(dataItemOR, DATAITEM_OR_NUM, DATAITEM_OR_ADDRESS, false);

    setScale(dataItem3[15], 1, 10);
    for (int i : {0, 1, 4})
        setScale(dataItem4[i], 5, 32767);
    for (int i : {4, 8, 11, 12})
        setScale(dataItem6[i], 600, 32767);
    setScale(dataItem6[9], 1000, 32767);
    setScale(dataItem6[13], 360, 32767);
    for (int i : {1, 2, 3, 4, 5})
        setScale(dataItemOR[i], 600, 32767);
    for (int i : {8, 11})
        setScale(dataItemOR[i], 5, 32767);

    for (const DataTable &table : parameterTables)
        raiseFlags(table.items, table.count);
    raiseFlags(dataItemOR, DATAITEM_OR_NUM);
}

void fillCommunicationPassword() {
    communication_password_hci.address = COMMUNICATION_PASSWORD_ADDRESS;
    communication_password_hci.value = COMMUNICATION_PASSWORD;
}
