// Placeholder until the virtual radio lands.
int main() { return 2; }
