/*
 * A stand-in for the port access driver, for the tests: a kernel-mode
 * driver that serves the driver's device and its two requests over a
 * simulated port instead of the hardware, so that Wine can load it where
 * the real driver cannot run.
 *
 * Port 2 (0x378) answers: its data and control registers hold what is
 * written, its status register reads 0x7F. Ports 1 and 3 are empty: they
 * read 0xFF and drop writes. A selector naming another port or a register
 * above the control register fails the whole request with
 * STATUS_INVALID_PARAMETER and nothing is copied back.
 */
#include <ntddk.h>

#define READ_REQUEST CTL_CODE(FILE_DEVICE_UNKNOWN, 0x14, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define WRITE_REQUEST CTL_CODE(FILE_DEVICE_UNKNOWN, 0x18, METHOD_BUFFERED, FILE_ANY_ACCESS)

static const WCHAR DeviceName[] = L"\\Device\\LptAccessAgent";
static const WCHAR LinkName[] = L"\\DosDevices\\LptAccessAgent";

/* Data, status and control register of the one port that answers. */
static UCHAR registers[3] = {0x00, 0x7F, 0x0C};

static void initName(UNICODE_STRING* name, const WCHAR* text, USHORT bytes) {
    name->Buffer = (PWSTR)text;
    name->Length = (USHORT)(bytes - sizeof(WCHAR));
    name->MaximumLength = bytes;
}

static BOOLEAN validSelector(UCHAR selector) {
    const UCHAR port = selector >> 4;
    const UCHAR offset = selector & 0x0F;
    return port >= 1 && port <= 3 && offset <= 2;
}

static void transfer(UCHAR* record, BOOLEAN write) {
    const UCHAR port = record[0] >> 4;
    const UCHAR offset = record[0] & 0x0F;
    if (port != 2) {
        if (!write)
            record[1] = 0xFF;
        return;
    }
    if (write) {
        if (offset != 1)
            registers[offset] = record[1];
    } else {
        record[1] = registers[offset];
    }
}

static NTSTATUS complete(IRP* irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI onOpenOrClose(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    return complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI onControl(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    const IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG inLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    const ULONG outLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    UCHAR* records = (UCHAR*)irp->AssociatedIrp.SystemBuffer;
    if (code != READ_REQUEST && code != WRITE_REQUEST)
        return complete(irp, STATUS_INVALID_DEVICE_REQUEST, 0);
    if (inLength == 0 || inLength % 2 != 0 || outLength != inLength)
        return complete(irp, STATUS_INVALID_PARAMETER, 0);
    for (ULONG i = 0; i < inLength; i += 2) {
        if (!validSelector(records[i]))
            return complete(irp, STATUS_INVALID_PARAMETER, 0);
    }
    for (ULONG i = 0; i < inLength; i += 2)
        transfer(&records[i], code == WRITE_REQUEST);
    return complete(irp, STATUS_SUCCESS, outLength);
}

static void NTAPI onUnload(DRIVER_OBJECT* driver) {
    UNICODE_STRING link;
    initName(&link, LinkName, sizeof LinkName);
    IoDeleteSymbolicLink(&link);
    IoDeleteDevice(driver->DeviceObject);
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    (void)registryPath;
    UNICODE_STRING name;
    UNICODE_STRING link;
    DEVICE_OBJECT* device = NULL;
    initName(&name, DeviceName, sizeof DeviceName);
    initName(&link, LinkName, sizeof LinkName);
    NTSTATUS status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &device);
    if (!NT_SUCCESS(status))
        return status;
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(device);
        return status;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = onOpenOrClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = onOpenOrClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = onControl;
    driver->DriverUnload = onUnload;
    return STATUS_SUCCESS;
}
