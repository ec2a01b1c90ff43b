// Carries only a version resource; see AnsiTableKeldoran.rc.
int main()
{
    return 0;
}
