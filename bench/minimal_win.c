/* The least a Windows console program can do to print the local date and
 * time as "yyyy/mm/dd hh:nn:ss" and CR LF: GetLocalTime, the digits, one
 * WriteFile. The yardstick of bench/run.sh for tikvan.exe. */
#include <windows.h>

static void put(char *at, int value, int places) {
    while (places-- > 0) {
        at[places] = (char)('0' + value % 10);
        value /= 10;
    }
}

int main(void) {
    SYSTEMTIME now;
    char text[] = "0000/00/00 00:00:00\r\n";
    DWORD written = 0;
    GetLocalTime(&now);
    put(text, now.wYear, 4);
    put(text + 5, now.wMonth, 2);
    put(text + 8, now.wDay, 2);
    put(text + 11, now.wHour, 2);
    put(text + 14, now.wMinute, 2);
    put(text + 17, now.wSecond, 2);
    return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, sizeof text - 1, &written, NULL) ? 0 : 1;
}
