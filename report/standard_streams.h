#pragma once

// The three standard descriptors, made sure of before the program opens
// anything. A program started with one of them closed (varnel >&-) would
// otherwise have its next open take that number: Qt's event descriptor or an
// input file would become standard output, and the report would be written
// into it.
class CStandardStreams
{
public:
    // Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. The
    // output descriptors get it for reading only, so that writing to a closed
    // standard output still fails (EBADF) and is reported as trouble, as it
    // would have been without this; standard input reads as empty.
    static void EnsureOpen();
};
