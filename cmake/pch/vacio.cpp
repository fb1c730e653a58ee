// Only here so that the precompiled headers have a target to be built in.
int main() { return 0; }
