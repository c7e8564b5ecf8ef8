#include "app/AppDelegate.h"

int main(int argc, char** argv)
{
    bc::AppDelegate delegate;
    return bc::ApplicationMain(argc, argv, delegate);
}
