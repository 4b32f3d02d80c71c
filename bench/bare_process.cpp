// The reference: a C++ process that starts and ends.
int main() { return 0; }
