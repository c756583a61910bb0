// Frame transmit and receive on the open port, one request outstanding at a time.
#pragma once

#include <atomic>

extern std::atomic<int> com_idle;          // line-free token: 1 = no request outstanding
extern int tx_package_flag;                // a request was built in this transmit step
extern std::atomic<int> query_enable_flag; // 1 = read requests may be built
extern std::atomic<int> sendLedON;         // transmit-lamp request for the comm thread

extern unsigned char receive_buffer[1024];
extern int receive_leng;
extern int receive_count;
extern int receive_frame_length;
extern int receive_frame_end_delay;
extern long long receive_frame_end_delay_begin;
extern long long receive_frame_end_delay_end;
extern int receive_frame_end_flag;
extern int com_idle_delay;
extern long long com_idle_delay_begin;
extern long long com_idle_delay_end;
extern int recieveLedON;
extern int recieveLedShineDelay;

// Takes the line-free token in one step: true if it was free (and is now taken).
bool TakeComIdle();

// Builds and writes at most one request: a pending write, a pending table read, or the
// standing live-data poll.
void RS232Send();
// Gathers reply bytes without waiting, decides when a reply is complete (200 ms of
// silence) or lost (2000 ms), decodes it and blinks the receive lamp.
void RS232Rec();
// Shows a fatal serial error and ends the program with status -1.
[[noreturn]] void ErrorCheck(const char *text, int code);

// Forgets any request in flight and any partial reply: for a port just (re)opened, on
// which no reply to an earlier request can arrive.
void ResetLineState();
