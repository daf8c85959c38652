#pragma once
// A small field book that the notebook tests reduce: one station observed in two sets on
// two targets, with zenith angles and two distance readings on every sighting.

#include <QByteArray>

namespace test {

// In the second set T2 is read 30″ further on the direct face: its observation difference
// (観測差) is 30″ and its double-angle spread (倍角差) exactly 30″. CP932 with CR LF.
inline QByteArray TwoSetFieldBook(const QByteArray& station) {
    return "A,01,\r\nB,,SET5,123,YAMADA,26/12/06,\r\nC,1,2,15,1013,0,1,\r\nD," + station +
           ",,1.500,0,2121002,09:00,09:30,\r\nE,0,\r\n"
           "F,T1,,1.600,r1001,0.0000,90.0000,100.000,100.001,\r\n"
           "F,T2,,1.600,r1002,90.0000,89.5950,80.000,80.000,\r\n"
           "F,T2,,1.600,l1002,270.0000,270.0010,80.001,80.000,\r\n"
           "F,T1,,1.600,l1001,180.0000,270.0000,100.000,100.000,\r\n"
           "F,T1,,1.600,l2001,270.0000,270.0000,100.000,100.001,\r\n"
           "F,T2,,1.600,l2002,0.0000,270.0010,80.000,80.000,\r\n"
           "F,T2,,1.600,r2002,180.0030,89.5950,80.000,80.001,\r\n"
           "F,T1,,1.600,r2001,90.0000,90.0000,100.001,100.000,\r\nZ,\r\n";
}

}  // namespace test
