// PLACEHOLDER: the host tool is being written.
int main() { return 0; }
